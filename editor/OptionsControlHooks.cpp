#include "editor/OptionsControlHooks.h"

#include "app/ModalSeam.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lt::options {

namespace {

class ExitHook : public QObject {
public:
    ExitHook(QWidget* control, std::function<void()> commit)
        : QObject(control)
        , commit_(std::move(commit))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                reportErrors(commit_);
        }
        return false;
    }

private:
    std::function<void()> commit_;
};

// Installed on the control that receives the keys. An editable combo box
// receives them itself and hands them to its line edit, so its filter sits on
// the box and types into the line edit.
class KeyHook : public QObject {
public:
    KeyHook(QWidget* receiver, QLineEdit* edit, KeyRule rule)
        : QObject(receiver)
        , edit_(edit)
        , rule_(std::move(rule))
    {
        receiver->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.isEmpty())
            return false;
        QString kept;
        for (QChar c : typed) {
            if (const std::optional<QChar> replacement = rule_(c))
                kept.append(*replacement);
        }
        if (kept == typed)
            return false;
        if (!kept.isEmpty())
            edit_->insert(kept);
        return true;
    }

private:
    QLineEdit* edit_;
    KeyRule rule_;
};

} // namespace

void OnExit(QWidget* control, std::function<void()> commit)
{
    new ExitHook(control, std::move(commit));
}

void FilterKeys(QLineEdit* edit, KeyRule rule)
{
    new KeyHook(edit, edit, std::move(rule));
}

void FilterKeys(QComboBox* editableBox, KeyRule rule)
{
    new KeyHook(editableBox, editableBox->lineEdit(), rule);
    new KeyHook(editableBox->lineEdit(), editableBox->lineEdit(), std::move(rule));
}

void CorrectOnChange(QLineEdit* edit, TextCorrection correct)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, correct = std::move(correct)](const QString& text) {
        const QString corrected = correct(text);
        if (corrected == text)
            return;
        edit->setText(corrected);
        edit->setCursorPosition(static_cast<int>(corrected.size()));
    });
}

void CorrectOnChange(QComboBox* editableBox, TextCorrection correct)
{
    CorrectOnChange(editableBox->lineEdit(), std::move(correct));
}

} // namespace lt::options
