#include "emulator/LoopbackHidBackend.h"

#include "emulator/RadioEmulator.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"

namespace lt {

struct LoopbackHidBackend::Reader {
    std::function<void(const QByteArray&)> onReport;
};

class LoopbackHidBackend::Device : public HidDevice {
public:
    explicit Device(LoopbackHidBackend& backend)
        : backend_(backend)
        , alive_(backend.alive_)
    {
        ++backend_.openDevices_;
    }
    ~Device() override
    {
        if (*alive_)
            --backend_.openDevices_;
    }

    bool canReadWrite() const override { return true; }

    bool writeReport(const uint8_t* report, std::size_t length) override
    {
        if (!*alive_ || !backend_.attached_)
            return false;
        const QByteArray bytes(reinterpret_cast<const char*>(report), static_cast<qsizetype>(length));
        backend_.writtenReports.push_back(bytes);

        const RadioEmulator::Response response = backend_.emulator_.handleReport(bytes, backend_.info.outputReportLength, backend_.clock_.nowMs());
        if (response.reply.isEmpty() && !response.disconnect)
            return true;
        const auto reports = RadioEmulator::toInputReports(response.reply, backend_.info.inputReportLength);
        LoopbackHidBackend* backend = &backend_;
        std::shared_ptr<bool> alive = alive_;
        backend_.clock_.callLater(backend_.emulator_.faults.latencyMs, [backend, alive, reports, disconnect = response.disconnect] {
            if (!*alive || !backend->attached_)
                return;
            for (const QByteArray& input : reports)
                backend->deliver(input);
            if (disconnect)
                backend->setAttached(false);
        });
        return true;
    }

    void startReading(std::function<void(const QByteArray&)> onReport) override
    {
        if (reader_)
            return;
        reader_ = std::make_shared<Reader>(Reader{std::move(onReport)});
        backend_.reader_ = reader_;
    }

private:
    LoopbackHidBackend& backend_;
    std::shared_ptr<bool> alive_;
    std::shared_ptr<Reader> reader_;
};

LoopbackHidBackend::LoopbackHidBackend(RadioEmulator& emulator, TransferClock& clock, QObject* parent)
    : HidBackend(parent)
    , emulator_(emulator)
    , clock_(clock)
    , alive_(std::make_shared<bool>(true))
{
}

LoopbackHidBackend::~LoopbackHidBackend()
{
    *alive_ = false;
}

HidDeviceInfo LoopbackHidBackend::radioDeviceInfo()
{
    HidDeviceInfo radio;
    radio.path = QStringLiteral("loopback:radio");
    radio.vendorId = 0x4402;
    radio.productId = 0x0001;
    radio.product = HidLink::kRadioProduct;
    radio.manufacturer = HidLink::kRadioManufacturer;
    radio.inputReportLength = 65;
    radio.outputReportLength = 65;
    return radio;
}

std::vector<HidDeviceInfo> LoopbackHidBackend::enumerate()
{
    if (!attached_)
        return {};
    return {info};
}

std::unique_ptr<HidDevice> LoopbackHidBackend::open(const HidDeviceInfo& device)
{
    if (!attached_ || device.path != info.path)
        return nullptr;
    return std::make_unique<Device>(*this);
}

void LoopbackHidBackend::setAttached(bool attached)
{
    if (attached_ == attached)
        return;
    attached_ = attached;
    emit devicesChanged();
}

void LoopbackHidBackend::sendUnasked(const QByteArray& message)
{
    if (!attached_)
        return;
    for (const QByteArray& input : RadioEmulator::toInputReports(message, info.inputReportLength))
        deliver(input);
}

void LoopbackHidBackend::deliver(const QByteArray& report)
{
    // A released device has no reader: its reports are lost, as on the wire.
    if (const std::shared_ptr<Reader> reader = reader_.lock())
        reader->onReport(report);
}

} // namespace lt
