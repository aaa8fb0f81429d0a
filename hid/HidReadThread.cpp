#include "hid/HidReadThread.h"

#include <QMetaObject>
#include <QObject>

namespace lt {

HidReadThread::HidReadThread(ReadReport read, std::size_t reportLength, bool prefixZero,
    std::function<void(const QByteArray&)> onReport)
    : read_(std::move(read))
    , reportLength_(reportLength)
    , prefixZero_(prefixZero)
    , onReport_(std::move(onReport))
    , receiver_(std::make_unique<QObject>())
{
    thread_ = std::thread([this] { run(); });
}

HidReadThread::~HidReadThread()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    handled_.notify_all();
    thread_.join();
    // A report still queued for the UI thread dies with its receiver.
    receiver_.reset();
}

void HidReadThread::run()
{
    const std::size_t offset = prefixZero_ ? 1 : 0;
    QByteArray buffer(static_cast<qsizetype>(reportLength_ + offset), '\0');
    while (!stopping()) {
        const int read = read_(reinterpret_cast<uint8_t*>(buffer.data()) + offset, reportLength_, kReadWaitMs);
        if (read < 0)
            return;  // the device went away; rediscovery releases it
        if (read > 0)
            handOver(buffer.left(static_cast<qsizetype>(static_cast<std::size_t>(read) + offset)));
    }
}

void HidReadThread::handOver(const QByteArray& report)
{
    {
        std::lock_guard lock(mutex_);
        reportHandled_ = false;
    }
    QMetaObject::invokeMethod(receiver_.get(), [this, report] {
        onReport_(report);
        {
            std::lock_guard lock(mutex_);
            reportHandled_ = true;
        }
        handled_.notify_all();
    }, Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    handled_.wait(lock, [this] { return reportHandled_ || stop_; });
}

bool HidReadThread::stopping()
{
    std::lock_guard lock(mutex_);
    return stop_;
}

} // namespace lt
