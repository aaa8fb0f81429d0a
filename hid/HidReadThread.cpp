#include "hid/HidReadThread.h"

#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <mutex>

namespace lt {

// What the read thread and the UI thread share. A report on its way to the UI
// thread holds it too, so it outlives a reader destroyed meanwhile.
struct HidReadThread::Shared {
    std::function<void(const QByteArray&)> onReport;
    std::mutex mutex;
    std::condition_variable handled;
    bool stop = false;
    bool reportHandled = false;
    bool reading = true;
};

HidReadThread::HidReadThread(ReadReport read, std::size_t reportLength, bool prefixZero,
    std::function<void(const QByteArray&)> onReport)
    : read_(std::move(read))
    , reportLength_(reportLength)
    , prefixZero_(prefixZero)
    , shared_(std::make_shared<Shared>())
    , receiver_(new QObject)
{
    shared_->onReport = std::move(onReport);
    thread_ = std::thread([this] { run(); });
}

HidReadThread::~HidReadThread()
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
    }
    shared_->handled.notify_all();
    thread_.join();
    // The handler of a report may be running right now, on the receiver: it
    // goes once that has returned, taking any report still queued with it.
    receiver_->deleteLater();
}

bool HidReadThread::reading() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->reading;
}

void HidReadThread::run()
{
    const std::size_t offset = prefixZero_ ? 1 : 0;
    QByteArray buffer(static_cast<qsizetype>(reportLength_ + offset), '\0');
    for (;;) {
        {
            std::lock_guard lock(shared_->mutex);
            if (shared_->stop)
                return;
        }
        const int read = read_(reinterpret_cast<uint8_t*>(buffer.data()) + offset, reportLength_, kReadWaitMs);
        if (read < 0) {
            std::lock_guard lock(shared_->mutex);
            shared_->reading = false;
            return;
        }
        if (read > 0)
            handOver(buffer.left(static_cast<qsizetype>(static_cast<std::size_t>(read) + offset)));
    }
}

void HidReadThread::handOver(const QByteArray& report)
{
    {
        std::lock_guard lock(shared_->mutex);
        shared_->reportHandled = false;
    }
    QMetaObject::invokeMethod(receiver_, [shared = shared_, report] {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->stop)
                return;
        }
        shared->onReport(report);
        {
            std::lock_guard lock(shared->mutex);
            shared->reportHandled = true;
        }
        shared->handled.notify_all();
    }, Qt::QueuedConnection);
    std::unique_lock lock(shared_->mutex);
    shared_->handled.wait(lock, [this] { return shared_->reportHandled || shared_->stop; });
}

} // namespace lt
