#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace lt {

// The per-key filter and the commit-on-leave of one in-place editor or edit.
// onKey sees every key press that carries a character and returns true when it
// consumed the key. onExit runs when the widget loses the focus to another
// widget; opening its own drop-down list or switching to another application
// is not leaving it.
class EditorEvents : public QObject {
public:
    using KeyHandler = std::function<bool(QKeyEvent&)>;
    using ExitHandler = std::function<void()>;

    EditorEvents(QWidget* widget, KeyHandler onKey, ExitHandler onExit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyHandler onKey_;
    ExitHandler onExit_;
};

// True for the Enter and Return keys.
bool IsEnterKey(const QKeyEvent& key);

} // namespace lt
