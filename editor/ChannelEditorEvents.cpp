#include "editor/ChannelEditorEvents.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace lt {

EditorEvents::EditorEvents(QWidget* widget, KeyHandler onKey, ExitHandler onExit)
    : QObject(widget)
    , onKey_(std::move(onKey))
    , onExit_(std::move(onExit))
{
    widget->installEventFilter(this);
}

bool EditorEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && onKey_) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (!key.text().isEmpty() && onKey_(key))
            return true;
    } else if (event->type() == QEvent::FocusOut && onExit_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            onExit_();
    }
    return QObject::eventFilter(watched, event);
}

bool IsEnterKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace lt
