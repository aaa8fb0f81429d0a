#include "hid/HidLink.h"

#include <algorithm>
#include <cstring>

namespace lt {

const QString HidLink::kRadioProduct = QStringLiteral("KOVA-905");
const QString HidLink::kRadioManufacturer = QStringLiteral("KOVA _HID");

namespace {

QString displayText(const HidDeviceInfo& info)
{
    if (!info.product.isEmpty())
        return info.product;
    return QString::asprintf("Device VID=%04X PID=%04X", unsigned{info.vendorId}, unsigned{info.productId});
}

} // namespace

HidLink::HidLink(HidBackend& backend, QObject* parent)
    : QObject(parent)
    , backend_(backend)
{
    connect(&backend_, &HidBackend::devicesChanged, this, &HidLink::backendChanged);
}

HidLink::~HidLink() = default;

void HidLink::backendChanged()
{
    if (claiming_)
        HidCtlDeviceChange();
}

void HidLink::forgetDevices()
{
    radio_ = nullptr;
    outputReportLength_ = 0;
    entries_.clear();
}

void HidLink::releaseDevices()
{
    claiming_ = false;
    forgetDevices();
    ReceiveCount = 0;
}

void HidLink::HidCtlDeviceChange()
{
    forgetDevices();
    claiming_ = true;

    for (HidDeviceInfo& info : backend_.enumerate()) {
        Entry entry;
        entry.text = displayText(info);
        entry.device = backend_.open(info);
        if (entry.device && IsRadio(info)) {
            radio_ = entry.device.get();
            outputReportLength_ = info.outputReportLength;
        }
        entry.info = std::move(info);
        entries_.push_back(std::move(entry));
    }
    emit devicesChanged();
}

bool HidLink::hasRadio() const
{
    return radio_ != nullptr;
}

bool HidLink::radioOpenReadWrite() const
{
    return radio_ && radio_->canReadWrite();
}

uint16_t HidLink::outputReportLength() const
{
    return outputReportLength_;
}

QStringList HidLink::DevListBox() const
{
    QStringList texts;
    for (const Entry& entry : entries_)
        texts << entry.text;
    return texts;
}

int HidLink::DevListBoxItemIndex() const
{
    return entries_.empty() ? -1 : 0;
}

void HidLink::writeReport(const std::vector<uint8_t>& frame)
{
    radio_->writeReport(frame.data(), frame.size());
}

void HidLink::Agr_HidWrite(const uint8_t* data, uint16_t length)
{
    if (!radio_ || length > kMaxMessageLength)
        return;

    // Content that does not fit a device's shorter reports cannot be sent;
    // such a device is not the radio, whose reports hold 64 bytes.
    std::vector<uint8_t> frame(outputReportLength_, 0);
    auto put = [&frame](std::size_t at, const uint8_t* bytes, std::size_t count) {
        if (at < frame.size())
            std::memcpy(frame.data() + at, bytes, std::min(count, frame.size() - at));
    };

    if (length <= kReportPayload) {
        put(1, data, length);
        writeReport(frame);
        return;
    }

    const std::size_t count = (length + kChunkPayload - 1) / kChunkPayload;
    for (std::size_t i = 0; i < count; ++i) {
        std::fill(frame.begin(), frame.end(), 0);
        const uint8_t header[] = {kChunkTag, static_cast<uint8_t>(count), static_cast<uint8_t>(i)};
        put(1, header, sizeof header);
        const std::size_t from = i * kChunkPayload;
        put(4, data + from, std::min<std::size_t>(kChunkPayload, length - from));
        writeReport(frame);
    }
}

void HidLink::attachReceiveHandler()
{
    if (!radioOpenReadWrite())
        return;
    radio_->startReading([this](const QByteArray& report) {
        if (report.isEmpty())
            return;
        ShowRead(reinterpret_cast<const uint8_t*>(report.constData()) + 1, static_cast<uint16_t>(report.size() - 1));
        emit reportReceived();
    });
}

void HidLink::ShowRead(const uint8_t* payload, uint16_t size)
{
    const auto start = static_cast<std::size_t>(std::clamp<int32_t>(ReceiveCount, 0, kReceiveBufferSize));
    const std::size_t stored = std::min<std::size_t>(size, kReceiveBufferSize - start);
    if (stored > 0)
        std::memcpy(ReceiveBuffer.data() + start, payload, stored);
    ReceiveCount = static_cast<int32_t>(start + stored);
}

} // namespace lt
