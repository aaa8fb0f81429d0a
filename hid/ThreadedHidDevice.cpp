#include "hid/ThreadedHidDevice.h"

namespace lt {

ThreadedHidDevice::ThreadedHidDevice(HidReadThread::ReadReport read, WriteReport write, std::size_t reportLength,
    bool prefixZero)
    : read_(std::move(read))
    , write_(std::move(write))
    , reportLength_(reportLength)
    , prefixZero_(prefixZero)
{
}

bool ThreadedHidDevice::writeReport(const uint8_t* report, std::size_t length)
{
    return write_(report, length);
}

void ThreadedHidDevice::startReading(std::function<void(const QByteArray&)> onReport)
{
    if (reportLength_ == 0 || (reader_ && reader_->reading()))
        return;
    reader_.reset();
    reader_ = std::make_unique<HidReadThread>(read_, reportLength_, prefixZero_, std::move(onReport));
}

void ThreadedHidDevice::stopReading()
{
    reader_.reset();
}

} // namespace lt
