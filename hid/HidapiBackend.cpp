#include "hid/HidapiBackend.h"

#include "hid/HidReportDescriptor.h"
#include "hid/ThreadedHidDevice.h"
#include "hid/TransferClock.h"

#include <hidapi.h>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace lt {

namespace {

constexpr int kPollIntervalMs = 1000;

QString wideText(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

// The report lengths of a hidraw node, from its report descriptor.
std::optional<HidReportLengths> reportLengths(const QString& path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<HidReportLengths> lengths;
    int size = 0;
    hidraw_report_descriptor descriptor{};
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) == 0 && size > 0 && size <= HID_MAX_DESCRIPTOR_SIZE) {
        descriptor.size = static_cast<uint32_t>(size);
        if (::ioctl(fd, HIDIOCGRDESC, &descriptor) == 0)
            lengths = ParseHidReportLengths(std::span<const uint8_t>(descriptor.value, descriptor.size));
    }
    ::close(fd);
    return lengths;
}

// A device listed but not opened for reading and writing.
class NoAccessDevice : public HidDevice {
public:
    bool canReadWrite() const override { return false; }
    bool writeReport(const uint8_t*, std::size_t) override { return false; }
    void startReading(std::function<void(const QByteArray&)>) override {}
};

class HidapiDevice : public ThreadedHidDevice {
public:
    // hidraw leaves out the report ID of devices that do not number their
    // reports; the program always sees it first.
    HidapiDevice(hid_device* handle, uint16_t inputReportLength, bool numberedReports)
        : ThreadedHidDevice(
            [handle](uint8_t* buffer, std::size_t size, int timeoutMs) {
                return hid_read_timeout(handle, buffer, size, timeoutMs);
            },
            [handle](const uint8_t* report, std::size_t length) {
                return hid_write(handle, report, length) == static_cast<int>(length);
            },
            InputLength(inputReportLength, numberedReports), !numberedReports)
        , handle_(handle)
    {
    }

    ~HidapiDevice() override
    {
        stopReading();
        hid_close(handle_);
    }

private:
    // What one read gives: nothing to read for a device without input reports.
    static std::size_t InputLength(uint16_t inputReportLength, bool numberedReports)
    {
        if (inputReportLength < 2)
            return 0;
        return numberedReports ? inputReportLength : inputReportLength - 1u;
    }

    hid_device* handle_;
};

} // namespace

HidapiBackend::HidapiBackend(QObject* parent, TransferClock* clock)
    : HidBackend(parent)
{
    hid_init();
    if (!clock) {
        ownClock_ = std::make_unique<QtTransferClock>();
        clock = ownClock_.get();
    }
    poll_ = clock->createTimer();
    poll_->onTimeout = [this] { poll(); };
}

HidapiBackend::~HidapiBackend() = default;

std::vector<HidDeviceInfo> HidapiBackend::enumerate()
{
    std::vector<HidDeviceInfo> devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* device = list; device; device = device->next) {
        HidDeviceInfo info;
        info.path = QString::fromLocal8Bit(device->path);
        info.vendorId = device->vendor_id;
        info.productId = device->product_id;
        info.product = wideText(device->product_string);
        info.manufacturer = wideText(device->manufacturer_string);
        const auto lengths = reportLengths(info.path);
        info.inputReportLength = lengths ? lengths->input : kDefaultReportLength;
        info.outputReportLength = lengths ? lengths->output : kDefaultReportLength;
        devices.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return devices;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const HidDeviceInfo& info)
{
    hid_device* handle = hid_open_path(info.path.toLocal8Bit().constData());
    if (!handle)
        return std::make_unique<NoAccessDevice>();
    const auto lengths = reportLengths(info.path);
    return std::make_unique<HidapiDevice>(handle, info.inputReportLength, lengths && lengths->numberedReports);
}

void HidapiBackend::setWatching(bool on)
{
    if (!on) {
        poll_->stop();
        return;
    }
    if (poll_->isActive())
        return;
    seen_ = snapshot();
    poll_->start(kPollIntervalMs);
}

std::vector<HidapiBackend::Seen> HidapiBackend::snapshot() const
{
    std::vector<Seen> devices;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* device = list; device; device = device->next)
        devices.push_back({QString::fromLocal8Bit(device->path), device->vendor_id, device->product_id});
    hid_free_enumeration(list);
    return devices;
}

void HidapiBackend::poll()
{
    std::vector<Seen> now = snapshot();
    if (now == seen_)
        return;
    seen_ = std::move(now);
    emit devicesChanged();
}

} // namespace lt
