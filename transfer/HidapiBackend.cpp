#include "transfer/HidapiBackend.h"

#include "transfer/HidReportDescriptor.h"
#include "transfer/TransferClock.h"

#include <hidapi.h>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QMetaObject>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace lt {

namespace {

constexpr int kPollIntervalMs = 1000;
// How long a blocked read waits before it looks again whether it must stop.
constexpr int kReadWaitMs = 100;

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

class HidapiDevice : public HidDevice {
public:
    HidapiDevice(hid_device* handle, uint16_t inputReportLength, bool numberedReports)
        : handle_(handle)
        , inputReportLength_(inputReportLength)
        , numberedReports_(numberedReports)
        , uiThread_(std::make_unique<QObject>())
    {
    }

    ~HidapiDevice() override
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        handled_.notify_all();
        if (reader_.joinable())
            reader_.join();
        // Reports still queued for the UI thread die with their context.
        uiThread_.reset();
        hid_close(handle_);
    }

    bool canReadWrite() const override { return true; }

    bool writeReport(const uint8_t* report, std::size_t length) override
    {
        return hid_write(handle_, report, length) == static_cast<int>(length);
    }

    void startReading(std::function<void(const QByteArray&)> onReport) override
    {
        if (reader_.joinable())
            return;
        onReport_ = std::move(onReport);
        reader_ = std::thread([this] { readLoop(); });
    }

private:
    void readLoop()
    {
        // hidraw leaves out the report ID of devices that do not number their
        // reports; the program always sees it first.
        const std::size_t offset = numberedReports_ ? 0 : 1;
        QByteArray buffer(static_cast<qsizetype>(inputReportLength_ + offset), '\0');
        while (!stopping()) {
            const int read = hid_read_timeout(handle_, reinterpret_cast<unsigned char*>(buffer.data()) + offset,
                static_cast<std::size_t>(buffer.size()) - offset, kReadWaitMs);
            if (read < 0)
                return;  // the device went away; rediscovery releases it
            if (read == 0)
                continue;
            handToUiThread(buffer.left(static_cast<qsizetype>(read + offset)));
        }
    }

    // Runs the handler on the UI thread and waits until it has run, so that
    // reports are handled one at a time and in arrival order.
    void handToUiThread(const QByteArray& report)
    {
        {
            std::lock_guard lock(mutex_);
            handledReport_ = false;
        }
        QMetaObject::invokeMethod(uiThread_.get(), [this, report] {
            onReport_(report);
            {
                std::lock_guard lock(mutex_);
                handledReport_ = true;
            }
            handled_.notify_all();
        }, Qt::QueuedConnection);
        std::unique_lock lock(mutex_);
        handled_.wait(lock, [this] { return handledReport_ || stop_; });
    }

    bool stopping()
    {
        std::lock_guard lock(mutex_);
        return stop_;
    }

    hid_device* handle_;
    uint16_t inputReportLength_;
    bool numberedReports_;
    std::unique_ptr<QObject> uiThread_;
    std::function<void(const QByteArray&)> onReport_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable handled_;
    bool stop_ = false;
    bool handledReport_ = false;
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
