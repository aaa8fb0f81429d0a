#include "calibration/CalibrationEditHooks.h"

#include "app/ModalSeam.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace lt {

namespace {

class LeaveFilter : public QObject {
public:
    LeaveFilter(QWidget* control, std::function<void()> commit)
        : QObject(control)
        , commit_(std::move(commit))
    {
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

class KeyFilter : public QObject {
public:
    KeyFilter(QLineEdit* edit, bool (*accepted)(QChar))
        : QObject(edit)
        , accepted_(accepted)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return text.size() == 1 && !accepted_(text.front());
    }

private:
    bool (*accepted_)(QChar);
};

} // namespace

void CommitOnLeave(QWidget* control, std::function<void()> commit)
{
    control->installEventFilter(new LeaveFilter(control, std::move(commit)));
}

void DropRefusedKeys(QLineEdit* edit, bool (*accepted)(QChar))
{
    edit->installEventFilter(new KeyFilter(edit, accepted));
}

void CorrectAfterEdit(QLineEdit* edit, std::function<QString(const QString&)> correct)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, correct = std::move(correct)](const QString& text) {
        const QString corrected = correct(text);
        if (corrected == text)
            return;
        edit->setText(corrected);
        edit->setCursorPosition(static_cast<int>(corrected.size()));
    });
}

} // namespace lt
