// What a virtual HID device sends the program over TCP: its introduction line
// and then the stream of input reports. The bytes travel over a real loopback
// connection to the program's backend, as from an emulator.

#include "FuzzSupport.h"

#include "hid/VirtualHidBackend.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>

#include <cmath>
#include <memory>
#include <optional>

namespace {

// Loopback delivery takes microseconds; this only ends a run that is stuck.
constexpr int kSettleMs = 5000;
constexpr qsizetype kLongestIntroduction = 4096;

bool Settle(const std::function<bool()>& done)
{
    const QDeadlineTimer deadline(kSettleMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

std::optional<int> WholeNumber(const QJsonObject& object, const char* key, int min, int max)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble() || value.toDouble() < min || value.toDouble() > max || std::trunc(value.toDouble()) != value.toDouble())
        return std::nullopt;
    return static_cast<int>(value.toDouble());
}

// The device an introduction line announces, as docs/virtual-hid.md says.
std::optional<lt::HidDeviceInfo> Announced(const QByteArray& line)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    const auto vendor = WholeNumber(object, "vendor_id", 0, 0xFFFF);
    const auto product = WholeNumber(object, "product_id", 0, 0xFFFF);
    const auto input = WholeNumber(object, "input_report_length", 2, 1024);
    const auto output = WholeNumber(object, "output_report_length", 2, 1024);
    if (!vendor || !product || !input || !output)
        return std::nullopt;
    lt::HidDeviceInfo info;
    info.vendorId = static_cast<uint16_t>(*vendor);
    info.productId = static_cast<uint16_t>(*product);
    info.product = object.value(QLatin1String("product")).toString();
    info.manufacturer = object.value(QLatin1String("manufacturer")).toString();
    info.inputReportLength = static_cast<uint16_t>(*input);
    info.outputReportLength = static_cast<uint16_t>(*output);
    return info;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    fuzz::Application();
    static QTcpServer server;
    static const bool listening = server.listen(QHostAddress::LocalHost, 0);
    LT_FUZZ_CHECK(listening);
    const QByteArray stream = fuzz::Bytes({data, size});

    VirtualHidBackend backend(VirtualHidAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
    std::optional<HidDeviceInfo> listed;
    std::unique_ptr<HidDevice> device;
    QByteArray received;
    bool wholeReports = true;
    int changes = 0;
    QObject::connect(&backend, &HidBackend::devicesChanged, [&] {
        ++changes;
        const std::vector<HidDeviceInfo> devices = backend.enumerate();
        if (devices.empty() || device)
            return;
        listed = devices.front();
        device = backend.open(devices.front());
        device->startReading([&](const QByteArray& report) {
            wholeReports = wholeReports && report.size() == listed->inputReportLength;
            received += report;
        });
    });
    // The backend reaches its device only while someone watches for devices.
    backend.setWatching(true);
    LT_FUZZ_CHECK(Settle([&] { return server.hasPendingConnections(); }));
    const std::unique_ptr<QTcpSocket> emulator(server.nextPendingConnection());
    emulator->write(stream);

    const qsizetype end = stream.indexOf('\n');
    const std::optional<HidDeviceInfo> announced = end >= 0 ? Announced(stream.left(end)) : std::nullopt;
    if (end > kLongestIntroduction) {
        // Whether the line's end arrives before the program gives up on it
        // depends on how the connection cuts the stream: either outcome is
        // right, as long as it is one of them.
        LT_FUZZ_CHECK(Settle([&] { return listed || emulator->state() == QAbstractSocket::UnconnectedState; }));
        LT_FUZZ_CHECK(!listed || (announced && listed->vendorId == announced->vendorId));
    } else if (announced) {
        // Listed as announced; every whole report after the line arrives, in
        // order, each exactly as long as announced.
        const QByteArray reports = stream.mid(end + 1);
        const qsizetype whole = reports.size() / announced->inputReportLength * announced->inputReportLength;
        LT_FUZZ_CHECK(Settle([&] { return listed && received.size() >= whole; }));
        LT_FUZZ_CHECK(listed && listed->vendorId == announced->vendorId && listed->productId == announced->productId
                      && listed->product == announced->product && listed->manufacturer == announced->manufacturer
                      && listed->inputReportLength == announced->inputReportLength
                      && listed->outputReportLength == announced->outputReportLength);
        LT_FUZZ_CHECK(wholeReports);
        LT_FUZZ_CHECK(received == reports.left(whole));
        LT_FUZZ_CHECK(changes == 1);
    } else if (end >= 0 || stream.size() > kLongestIntroduction) {
        // A bad or endless introduction: the connection is closed and nothing
        // is ever listed.
        LT_FUZZ_CHECK(Settle([&] { return emulator->state() == QAbstractSocket::UnconnectedState; }));
        LT_FUZZ_CHECK(backend.enumerate().empty());
        LT_FUZZ_CHECK(changes == 0);
    } else {
        // Still waiting for the end of the line.
        LT_FUZZ_CHECK(Settle([&] { return emulator->bytesToWrite() == 0; }));
        QCoreApplication::processEvents();
        LT_FUZZ_CHECK(backend.enumerate().empty());
    }
    emulator->abort();
    return 0;
}
