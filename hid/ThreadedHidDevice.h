#pragma once

#include "hid/HidBackend.h"
#include "hid/HidReadThread.h"

#include <functional>
#include <memory>

namespace lt {

// A device whose input reports are read on a HidReadThread: an opened hidapi
// device is one, with hidapi's read and write calls.
class ThreadedHidDevice : public HidDevice {
public:
    using WriteReport = std::function<bool(const uint8_t* report, std::size_t length)>;

    // reportLength and prefixZero as HidReadThread takes them; a device
    // without input reports has reportLength 0 and is never read.
    ThreadedHidDevice(HidReadThread::ReadReport read, WriteReport write, std::size_t reportLength, bool prefixZero);

    bool canReadWrite() const override { return true; }
    bool writeReport(const uint8_t* report, std::size_t length) override;
    // Starts a read thread unless one is reading: a thread that a failed read
    // has ended is replaced, so a device that failed once is read again.
    void startReading(std::function<void(const QByteArray&)> onReport) override;

protected:
    // Joins the read thread; a device must call it before it closes what the
    // thread reads from.
    void stopReading();

private:
    HidReadThread::ReadReport read_;
    WriteReport write_;
    std::size_t reportLength_;
    bool prefixZero_;
    std::unique_ptr<HidReadThread> reader_;
};

} // namespace lt
