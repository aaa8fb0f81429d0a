#include "hid/VirtualHidBackend.h"

#include "hid/TransferClock.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstring>

namespace lt {

namespace {

constexpr int kRetryIntervalMs = 1000;
constexpr qsizetype kMaxIntroductionLength = 4096;
constexpr int kMinReportLength = 2;
constexpr int kMaxReportLength = 1024;

std::optional<uint16_t> jsonNumber(const QJsonObject& object, const char* key, int min, int max)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // The range first: a double beyond int's range cannot be converted to one.
    if (number < min || number > max || number != std::trunc(number))
        return std::nullopt;
    return static_cast<uint16_t>(number);
}

} // namespace

struct VirtualHidBackend::Reader {
    std::function<void(const QByteArray&)> onReport;
};

class VirtualHidBackend::Device : public HidDevice {
public:
    Device(VirtualHidBackend& backend, uint64_t connection)
        : backend_(backend)
        , alive_(backend.alive_)
        , connection_(connection)
    {
    }

    bool canReadWrite() const override { return true; }

    bool writeReport(const uint8_t* report, std::size_t length) override
    {
        if (!current())
            return false;
        QByteArray bytes(reinterpret_cast<const char*>(report), static_cast<qsizetype>(length));
        bytes.resize(backend_.device_->outputReportLength, '\0');
        if (backend_.socket_.write(bytes) != bytes.size())
            return false;
        backend_.socket_.flush();
        return true;
    }

    void startReading(std::function<void(const QByteArray&)> onReport) override
    {
        if (reader_ || !current())
            return;
        reader_ = std::make_shared<Reader>(Reader{std::move(onReport)});
        backend_.reader_ = reader_;
    }

private:
    bool current() const { return *alive_ && backend_.device_ && backend_.connection_ == connection_; }

    VirtualHidBackend& backend_;
    std::shared_ptr<bool> alive_;
    uint64_t connection_;
    std::shared_ptr<Reader> reader_;
};

VirtualHidBackend::VirtualHidBackend(VirtualHidAddress address, QObject* parent, TransferClock* clock)
    : HidBackend(parent)
    , address_(std::move(address))
    , path_(pathOf(address_))
    , alive_(std::make_shared<bool>(true))
{
    if (!clock) {
        ownClock_ = std::make_unique<QtTransferClock>();
        clock = ownClock_.get();
    }
    retry_ = clock->createTimer();
    retry_->onTimeout = [this] {
        if (socket_.state() == QAbstractSocket::UnconnectedState)
            connectToEmulator();
    };

    connect(&socket_, &QTcpSocket::readyRead, this, &VirtualHidBackend::readIncoming);
    connect(&socket_, &QTcpSocket::disconnected, this, &VirtualHidBackend::dropConnection);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &VirtualHidBackend::dropConnection);
}

VirtualHidBackend::~VirtualHidBackend()
{
    *alive_ = false;
    socket_.disconnect(this);
    socket_.abort();
}

std::optional<VirtualHidAddress> VirtualHidBackend::parseAddress(const QString& hostPort)
{
    const qsizetype colon = hostPort.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const uint port = hostPort.mid(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return VirtualHidAddress{hostPort.left(colon), static_cast<quint16>(port)};
}

QString VirtualHidBackend::pathOf(const VirtualHidAddress& address)
{
    return QStringLiteral("tcp:%1:%2").arg(address.host).arg(address.port);
}

bool VirtualHidBackend::discovering() const
{
    return !device_ && socket_.state() != QAbstractSocket::UnconnectedState;
}

std::vector<HidDeviceInfo> VirtualHidBackend::enumerate()
{
    if (!device_)
        return {};
    return {*device_};
}

std::unique_ptr<HidDevice> VirtualHidBackend::open(const HidDeviceInfo& info)
{
    if (!device_ || info.path != path_)
        return nullptr;
    return std::make_unique<Device>(*this, connection_);
}

void VirtualHidBackend::setWatching(bool on)
{
    if (!on) {
        retry_->stop();
        dropConnection();
        return;
    }
    if (retry_->isActive())
        return;
    retry_->start(kRetryIntervalMs);
    if (socket_.state() == QAbstractSocket::UnconnectedState)
        connectToEmulator();
}

void VirtualHidBackend::connectToEmulator()
{
    incoming_.clear();
    socket_.connectToHost(address_.host, address_.port);
}

void VirtualHidBackend::readIncoming()
{
    incoming_ += socket_.readAll();
    if (!device_) {
        if (!readIntroduction())
            return;
        emit devicesChanged();
    }
    const int length = device_->inputReportLength;
    while (device_ && incoming_.size() >= length) {
        const QByteArray report = incoming_.left(length);
        incoming_.remove(0, length);
        // Reports for a device nobody reads are lost, as on the wire.
        if (const std::shared_ptr<Reader> reader = reader_.lock())
            reader->onReport(report);
    }
}

bool VirtualHidBackend::readIntroduction()
{
    const qsizetype end = incoming_.indexOf('\n');
    if (end < 0) {
        if (incoming_.size() > kMaxIntroductionLength)
            socket_.abort();
        return false;
    }
    const QJsonObject object = QJsonDocument::fromJson(incoming_.left(end)).object();
    incoming_.remove(0, end + 1);

    const auto vendorId = jsonNumber(object, "vendor_id", 0, 0xFFFF);
    const auto productId = jsonNumber(object, "product_id", 0, 0xFFFF);
    const auto inputLength = jsonNumber(object, "input_report_length", kMinReportLength, kMaxReportLength);
    const auto outputLength = jsonNumber(object, "output_report_length", kMinReportLength, kMaxReportLength);
    if (!vendorId || !productId || !inputLength || !outputLength) {
        socket_.abort();
        return false;
    }

    HidDeviceInfo info;
    info.path = path_;
    info.vendorId = *vendorId;
    info.productId = *productId;
    info.product = object.value(QLatin1String("product")).toString();
    info.manufacturer = object.value(QLatin1String("manufacturer")).toString();
    info.inputReportLength = *inputLength;
    info.outputReportLength = *outputLength;
    device_ = info;
    ++connection_;
    return true;
}

void VirtualHidBackend::dropConnection()
{
    incoming_.clear();
    if (socket_.state() != QAbstractSocket::UnconnectedState)
        socket_.abort();
    if (!device_)
        return;
    device_.reset();
    emit devicesChanged();
}

} // namespace lt
