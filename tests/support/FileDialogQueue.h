#pragma once

#include <QString>

#include <deque>
#include <utility>

namespace lt::test {

// The paths a test lets a file dialog answer with, in turn; once they run out
// the dialog is cancelled, which the program sees as an empty path.
class FileDialogQueue {
public:
    void push(QString path) { paths_.push_back(std::move(path)); }
    QString take()
    {
        if (paths_.empty())
            return {};
        QString path = std::move(paths_.front());
        paths_.pop_front();
        return path;
    }

private:
    std::deque<QString> paths_;
};

} // namespace lt::test
