#include "ui/ControlHooks.h"

#include "ui/ModalSeam.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lt {

namespace {

class ControlHook : public QObject {
public:
    ControlHook(QWidget* control, KeyHandler onKey, KeyPresses seen, std::function<void()> commit)
        : QObject(control)
        , onKey_(std::move(onKey))
        , seen_(seen)
        , commit_(std::move(commit))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && onKey_) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            return (seen_ == KeyPresses::All || !key.text().isEmpty()) && onKey_(key);
        }
        if (event->type() == QEvent::FocusOut && commit_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !inOwnPopup())
                reportErrors(commit_);
        }
        return false;
    }

private:
    // The focus moves on into the control's own drop-down list once the list
    // is open; the control is still being used.
    bool inOwnPopup() const
    {
        for (const QWidget* w = QApplication::activePopupWidget(); w; w = w->parentWidget()) {
            if (w == parent())
                return true;
        }
        return false;
    }

    KeyHandler onKey_;
    KeyPresses seen_;
    std::function<void()> commit_;
};

KeyHandler typingInto(QLineEdit* edit, KeyRule rule)
{
    return [edit, rule = std::move(rule)](const QKeyEvent& key) {
        const QString typed = key.text();
        QString kept;
        for (QChar c : typed) {
            if (const std::optional<QChar> replacement = rule(c))
                kept.append(*replacement);
        }
        return TypeInstead(edit, typed, kept.isEmpty() ? std::nullopt : std::optional<QString>(kept));
    };
}

void correctWith(QLineEdit* edit, const TextCorrection& correct, const QString& text)
{
    const QString corrected = correct(text);
    if (corrected == text)
        return;
    edit->setText(corrected);
    edit->setCursorPosition(static_cast<int>(corrected.size()));
}

} // namespace

void CommitOnLeave(QWidget* control, std::function<void()> commit)
{
    new ControlHook(control, {}, KeyPresses::WithText, std::move(commit));
}

void HandleKeys(QWidget* control, KeyHandler onKey, KeyPresses seen)
{
    new ControlHook(control, std::move(onKey), seen, {});
}

void DropRefusedKeys(QLineEdit* edit, bool (*accepted)(QChar))
{
    HandleKeys(edit, [accepted](const QKeyEvent& key) {
        const QString text = key.text();
        return text.size() == 1 && !accepted(text.front());
    });
}

void FilterKeys(QLineEdit* edit, KeyRule rule)
{
    HandleKeys(edit, typingInto(edit, std::move(rule)));
}

void FilterKeys(QComboBox* editableBox, KeyRule rule)
{
    HandleKeys(editableBox, typingInto(editableBox->lineEdit(), rule));
    HandleKeys(editableBox->lineEdit(), typingInto(editableBox->lineEdit(), std::move(rule)));
}

bool TypeInstead(QLineEdit* edit, const QString& typed, const std::optional<QString>& replacement)
{
    if (!replacement)
        return true;
    if (*replacement == typed)
        return false;
    edit->insert(*replacement);
    return true;
}

KeyRule OnlyAccepted(bool (*accepted)(QChar))
{
    return [accepted](QChar c) -> std::optional<QChar> {
        if (accepted(c))
            return c;
        return std::nullopt;
    };
}

void CorrectOnChange(QLineEdit* edit, TextCorrection correct)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, correct = std::move(correct)](const QString& text) {
        correctWith(edit, correct, text);
    });
}

void CorrectOnChange(QComboBox* editableBox, TextCorrection correct)
{
    CorrectOnChange(editableBox->lineEdit(), std::move(correct));
}

void CorrectAfterEdit(QLineEdit* edit, TextCorrection correct)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, correct = std::move(correct)](const QString& text) {
        correctWith(edit, correct, text);
    });
}

bool IsEnterKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace lt
