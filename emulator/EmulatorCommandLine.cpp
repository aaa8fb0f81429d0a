#include "emulator/EmulatorCommandLine.h"

#include "codeplug/PasswordRecord.h"
#include "emulator/LoopbackHidBackend.h"

namespace lt {

namespace {

const QString kPort = QStringLiteral("port");
const QString kMemory = QStringLiteral("memory");
const QString kDataMemory = QStringLiteral("data-memory");
const QString kPassword = QStringLiteral("password");
const QString kStatus = QStringLiteral("status");
const QString kLatency = QStringLiteral("latency");
const QString kDrop = QStringLiteral("drop");
const QString kDropReply = QStringLiteral("drop-reply");
const QString kWrongTag = QStringLiteral("wrong-tag");
const QString kOversized = QStringLiteral("oversized");
const QString kSilenceAfter = QStringLiteral("silence-after");
const QString kDisconnectAfter = QStringLiteral("disconnect-after");
const QString kProductString = QStringLiteral("product-string");
const QString kManufacturerString = QStringLiteral("manufacturer-string");
const QString kVendorString = QStringLiteral("vendor-string");
const QString kVendorId = QStringLiteral("vid");
const QString kProductId = QStringLiteral("pid");

// A whole number from min to max, or an error naming the option.
std::optional<int> number(const QCommandLineParser& parser, const QString& option, int min, int max, QString* error)
{
    const QString text = parser.value(option);
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toInt(&ok, 16) : text.toInt(&ok);
    if (!ok || value < min || value > max) {
        *error = QStringLiteral("--%1 needs a whole number from %2 to %3, not \"%4\"").arg(option).arg(min).arg(max).arg(text);
        return std::nullopt;
    }
    return value;
}

} // namespace

EmulatorCommandLine::EmulatorCommandLine()
{
    parser_.setApplicationDescription(QStringLiteral(
        "Radio emulator for development and tests: serves an emulated radio as a virtual HID device over TCP "
        "on 127.0.0.1 (see docs/virtual-hid.md). Point the program at it with LT4402_VIRTUAL_HID=127.0.0.1:PORT."));
    parser_.addHelpOption();
    parser_.addOptions({
        {kPort, QStringLiteral("TCP port to listen on (0: any free port). Default 4402."), QStringLiteral("port")},
        {kMemory, QStringLiteral("64 KiB memory file: loaded at start if present, saved on \"E\" and at exit."), QStringLiteral("file")},
        {kDataMemory, QStringLiteral("Data memory file for downloads: loaded if present, saved at exit."), QStringLiteral("file")},
        {kPassword, QStringLiteral("Protect the radio with this password (up to 12 bytes)."), QStringLiteral("text")},
        {kStatus, QStringLiteral("The 14 RF chip status bytes as 28 hex digits."), QStringLiteral("hex")},
        {kLatency, QStringLiteral("Delay every reply by this many milliseconds."), QStringLiteral("ms")},
        {kDrop, QStringLiteral("Lose every Nth reply."), QStringLiteral("n")},
        {kDropReply, QStringLiteral("Lose reply number N."), QStringLiteral("n")},
        {kWrongTag, QStringLiteral("Reply number N starts with a wrong tag."), QStringLiteral("n")},
        {kOversized, QStringLiteral("Reply number N, if a block read reply, claims 255 data bytes."), QStringLiteral("n")},
        {kSilenceAfter, QStringLiteral("Stop answering after N blocks."), QStringLiteral("n")},
        {kDisconnectAfter, QStringLiteral("Go away after answering N blocks."), QStringLiteral("n")},
        {kProductString, QStringLiteral("Product string to report instead of the radio's."), QStringLiteral("text")},
        {{kManufacturerString, kVendorString}, QStringLiteral("Manufacturer string to report instead of the radio's."), QStringLiteral("text")},
        {kVendorId, QStringLiteral("USB vendor ID to report."), QStringLiteral("id")},
        {kProductId, QStringLiteral("USB product ID to report."), QStringLiteral("id")},
    });
}

bool EmulatorCommandLine::helpRequested() const
{
    return parser_.isSet(QStringLiteral("help"));
}

QString EmulatorCommandLine::helpText() const
{
    return parser_.helpText();
}

std::optional<EmulatorOptions> EmulatorCommandLine::parse(const QStringList& arguments, QString* error)
{
    if (!parser_.parse(arguments)) {
        *error = parser_.errorText();
        return std::nullopt;
    }
    if (!parser_.positionalArguments().isEmpty()) {
        *error = QStringLiteral("unexpected argument \"%1\"").arg(parser_.positionalArguments().front());
        return std::nullopt;
    }

    EmulatorOptions options;
    options.identity = LoopbackHidBackend::radioDeviceInfo();
    bool ok = true;
    auto setNumber = [&](const QString& option, int min, int max, auto apply) {
        if (!ok || !parser_.isSet(option))
            return;
        if (const auto value = number(parser_, option, min, max, error))
            apply(*value);
        else
            ok = false;
    };
    setNumber(kPort, 0, 65535, [&](int v) { options.port = static_cast<quint16>(v); });
    setNumber(kLatency, 0, 60000, [&](int v) { options.faults.latencyMs = v; });
    setNumber(kDrop, 1, INT32_MAX, [&](int v) { options.faults.dropEvery = v; });
    setNumber(kDropReply, 1, INT32_MAX, [&](int v) { options.faults.dropReply = v; });
    setNumber(kWrongTag, 1, INT32_MAX, [&](int v) { options.faults.wrongTagReply = v; });
    setNumber(kOversized, 1, INT32_MAX, [&](int v) { options.faults.oversizedReply = v; });
    setNumber(kSilenceAfter, 0, INT32_MAX, [&](int v) { options.faults.silenceAfterBlocks = v; });
    setNumber(kDisconnectAfter, 1, INT32_MAX, [&](int v) { options.faults.disconnectAfterBlocks = v; });
    setNumber(kVendorId, 0, 0xFFFF, [&](int v) { options.identity.vendorId = static_cast<uint16_t>(v); });
    setNumber(kProductId, 0, 0xFFFF, [&](int v) { options.identity.productId = static_cast<uint16_t>(v); });
    if (!ok)
        return std::nullopt;

    options.memoryFile = parser_.value(kMemory);
    options.dataMemoryFile = parser_.value(kDataMemory);
    if (parser_.isSet(kProductString))
        options.identity.product = parser_.value(kProductString);
    if (parser_.isSet(kManufacturerString))
        options.identity.manufacturer = parser_.value(kManufacturerString);

    if (parser_.isSet(kPassword)) {
        // The radio keeps its password in the system's ANSI code page.
        const QByteArray password = parser_.value(kPassword).toLocal8Bit();
        if (password.size() > kPasswordMaxLength) {
            *error = QStringLiteral("--password takes at most %1 bytes").arg(kPasswordMaxLength);
            return std::nullopt;
        }
        options.password = password;
    }

    if (parser_.isSet(kStatus)) {
        const QByteArray hex = parser_.value(kStatus).remove(QLatin1Char(' ')).toLatin1();
        const bool allHex = std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
        if (!allHex || hex.size() != static_cast<qsizetype>(2 * RadioEmulator::kStatusSize)) {
            *error = QStringLiteral("--status needs %1 hex digits").arg(2 * RadioEmulator::kStatusSize);
            return std::nullopt;
        }
        const QByteArray status = QByteArray::fromHex(hex);
        options.status.emplace();
        std::copy(status.begin(), status.end(), options.status->begin());
    }
    return options;
}

} // namespace lt
