#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace lt {

// What enumeration tells about one attached HID device interface. Report
// lengths include the report ID byte, as the radio's 65-byte reports do.
struct HidDeviceInfo {
    QString path;
    uint16_t vendorId = 0, productId = 0;
    QString product, manufacturer;
    uint16_t inputReportLength = 0, outputReportLength = 0;
};

// One opened device. Destroying it releases the device and stops its read
// thread; no report is delivered after destruction.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Opened with read and write access.
    virtual bool canReadWrite() const = 0;
    // Writes one output report, report ID byte first, synchronously.
    virtual bool writeReport(const uint8_t* report, std::size_t length) = 0;
    // Starts delivering input reports (report ID byte first) to onReport on
    // the UI thread, in arrival order; idempotent.
    virtual void startReading(std::function<void(const QByteArray& report)> onReport) = 0;
};

// The platform's HID service: the real hidapi devices, a virtual device over
// TCP, or an in-process radio emulator for tests.
class HidBackend : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // Falls back to no access (canReadWrite false) when the read/write open
    // fails; nullptr only if the device cannot be opened at all.
    virtual std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) = 0;
    // Rediscovery: the backend starts/stops watching for arrival and removal
    // when asked (the program watches while a transfer dialog is open).
    virtual void setWatching(bool /*on*/) {}
    // Still finding out which devices are there (a virtual device whose
    // connection or introduction is under way), so enumerate may grow.
    virtual bool discovering() const { return false; }

signals:
    // Devices arrived or left.
    void devicesChanged();
};

} // namespace lt
