#include "hid/HidLink.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <memory>
#include <vector>

namespace lt {
namespace {

// What the fake backend remembers of one listed device across openings.
struct FakeDeviceState {
    HidDeviceInfo info;
    bool openable = true;
    bool readWrite = true;
    std::vector<QByteArray> written;
    std::function<void(const QByteArray&)> reader;
    int startReadingCalls = 0;
    int openCount = 0;
    int releasedCount = 0;
};

class FakeDevice : public HidDevice {
public:
    explicit FakeDevice(FakeDeviceState& state)
        : state_(state)
    {
    }
    ~FakeDevice() override
    {
        state_.reader = nullptr;
        ++state_.releasedCount;
    }
    bool canReadWrite() const override { return state_.readWrite; }
    bool writeReport(const uint8_t* report, std::size_t length) override
    {
        state_.written.emplace_back(reinterpret_cast<const char*>(report), static_cast<qsizetype>(length));
        return true;
    }
    void startReading(std::function<void(const QByteArray&)> onReport) override
    {
        ++state_.startReadingCalls;
        if (!state_.reader)
            state_.reader = std::move(onReport);
    }

private:
    FakeDeviceState& state_;
};

class FakeBackend : public HidBackend {
public:
    FakeDeviceState& add(QString product, QString manufacturer, uint16_t vid = 0x1234, uint16_t pid = 0x5678)
    {
        auto state = std::make_unique<FakeDeviceState>();
        state->info.path = QStringLiteral("fake:%1").arg(devices.size());
        state->info.vendorId = vid;
        state->info.productId = pid;
        state->info.product = std::move(product);
        state->info.manufacturer = std::move(manufacturer);
        state->info.inputReportLength = 65;
        state->info.outputReportLength = 65;
        devices.push_back(std::move(state));
        return *devices.back();
    }
    FakeDeviceState& addRadio() { return add(QStringLiteral("KOVA-905"), QStringLiteral("KOVA _HID")); }

    std::vector<HidDeviceInfo> enumerate() override
    {
        std::vector<HidDeviceInfo> infos;
        for (const auto& device : devices)
            infos.push_back(device->info);
        return infos;
    }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& info) override
    {
        for (const auto& device : devices) {
            if (device->info.path == info.path && device->openable) {
                ++device->openCount;
                return std::make_unique<FakeDevice>(*device);
            }
        }
        return nullptr;
    }
    void changed() { emit devicesChanged(); }

    std::vector<std::unique_ptr<FakeDeviceState>> devices;
};

QByteArray message(int length)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(0x80 | (i * 7 + 1));
    return bytes;
}

void send(HidLink& link, const QByteArray& bytes)
{
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<uint16_t>(bytes.size()));
}

class HidLinkTest : public ::testing::Test {
protected:
    FakeBackend backend;
    HidLink link{backend};
};

// --- sending ------------------------------------------------------------------

struct ChunkCase {
    int length;
    std::vector<int> chunkSizes;  // message bytes in each chunk
};

class HidLinkChunkTest : public HidLinkTest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(HidLinkChunkTest, LongMessagesTravelAsNumberedChunksOfSixtyOneBytes)
{
    FakeDeviceState& radio = backend.addRadio();
    link.HidCtlDeviceChange();
    const ChunkCase& c = GetParam();
    const QByteArray sent = message(c.length);
    send(link, sent);

    ASSERT_EQ(radio.written.size(), c.chunkSizes.size());
    QByteArray reassembled;
    for (std::size_t i = 0; i < radio.written.size(); ++i) {
        const QByteArray& report = radio.written[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(report.size(), 65);
        EXPECT_EQ(report[0], '\0');
        EXPECT_EQ(static_cast<uint8_t>(report[1]), 0x4D);
        EXPECT_EQ(static_cast<uint8_t>(report[2]), c.chunkSizes.size());
        EXPECT_EQ(static_cast<uint8_t>(report[3]), i);
        const int used = c.chunkSizes[i];
        reassembled += report.mid(4, used);
        EXPECT_EQ(report.mid(4 + used), QByteArray(61 - used, '\0'));
    }
    EXPECT_EQ(reassembled, sent);
}

INSTANTIATE_TEST_SUITE_P(Lengths, HidLinkChunkTest,
    ::testing::Values(ChunkCase{65, {61, 4}}, ChunkCase{160, {61, 61, 38}}, ChunkCase{301, {61, 61, 61, 61, 57}},
        ChunkCase{512, {61, 61, 61, 61, 61, 61, 61, 61, 24}}));

TEST_F(HidLinkTest, MessagesUpToSixtyFourBytesGoOutAsOneReport)
{
    FakeDeviceState& radio = backend.addRadio();
    link.HidCtlDeviceChange();

    for (int length : {1, 4, 64}) {
        radio.written.clear();
        const QByteArray sent = message(length);
        send(link, sent);
        ASSERT_EQ(radio.written.size(), 1u) << length;
        const QByteArray& report = radio.written.front();
        ASSERT_EQ(report.size(), 65);
        EXPECT_EQ(report[0], '\0');
        EXPECT_EQ(report.mid(1, length), sent);
        EXPECT_EQ(report.mid(1 + length), QByteArray(64 - length, '\0'));
    }

    radio.written.clear();
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>("E"), 1);
    ASSERT_EQ(radio.written.size(), 1u);
    EXPECT_EQ(radio.written.front(), QByteArray("\x00\x45", 2) + QByteArray(63, '\0'));
}

TEST_F(HidLinkTest, EveryReportHasTheRadiosOutputReportLength)
{
    FakeDeviceState& radio = backend.addRadio();
    radio.info.outputReportLength = 128;
    link.HidCtlDeviceChange();
    EXPECT_EQ(link.outputReportLength(), 128);

    send(link, message(10));
    send(link, message(100));
    ASSERT_EQ(radio.written.size(), 3u);
    for (const QByteArray& report : radio.written) {
        ASSERT_EQ(report.size(), 128);
        EXPECT_EQ(report.mid(65), QByteArray(63, '\0'));
    }
}

TEST_F(HidLinkTest, NothingIsSentWithoutARadioOrBeyondTheStagingArea)
{
    FakeDeviceState& other = backend.add(QStringLiteral("Keyboard"), QStringLiteral("Someone"));
    link.HidCtlDeviceChange();
    send(link, message(8));
    EXPECT_TRUE(other.written.empty());

    FakeDeviceState& radio = backend.addRadio();
    link.HidCtlDeviceChange();
    send(link, message(513));
    EXPECT_TRUE(radio.written.empty());
    EXPECT_TRUE(other.written.empty());
}

// --- discovery ----------------------------------------------------------------

TEST_F(HidLinkTest, ListsEveryDeviceInEnumerationOrder)
{
    backend.add(QStringLiteral("Mouse"), QStringLiteral("Acme"));
    backend.add(QString(), QStringLiteral("Acme"), 0x0A1B, 0x00FF);
    backend.addRadio();
    backend.add(QString(), QString(), 0xBEEF, 0x0001);

    link.HidCtlDeviceChange();

    EXPECT_EQ(link.DevListBox(),
        QStringList({"Mouse", "Device VID=0A1B PID=00FF", "KOVA-905", "Device VID=BEEF PID=0001"}));
    EXPECT_EQ(link.DevListBoxItemIndex(), 0);
    EXPECT_TRUE(link.hasRadio());
}

TEST_F(HidLinkTest, TheRadioIsRecognisedOnlyByBothExactStrings)
{
    struct Case {
        const char* product;
        const char* manufacturer;
        bool radio;
    };
    const Case cases[] = {
        {"KOVA-905", "KOVA _HID", true},
        {"KOVA-905", "Other", false},
        {"KOVA-905", "", false},
        {"Other", "KOVA _HID", false},
        {"kova-905", "KOVA _HID", false},
        {"KOVA-905", "kova _hid", false},
        {"KOVA-905 ", "KOVA _HID", false},
        {"KOVA-905", "KOVA_HID", false},
    };
    for (const Case& c : cases) {
        FakeBackend devices;
        FakeDeviceState& device = devices.add(QString::fromLatin1(c.product), QString::fromLatin1(c.manufacturer));
        HidLink caseLink(devices);
        caseLink.HidCtlDeviceChange();
        SCOPED_TRACE(std::string(c.product) + "/" + c.manufacturer);
        EXPECT_EQ(caseLink.hasRadio(), c.radio);
        EXPECT_EQ(caseLink.DevListBox(), QStringList{QString::fromLatin1(c.product)});
        send(caseLink, message(3));
        EXPECT_EQ(device.written.size(), c.radio ? 1u : 0u);
    }
}

TEST_F(HidLinkTest, TheLastOfTwoMatchingDevicesIsUsed)
{
    FakeDeviceState& first = backend.addRadio();
    backend.add(QStringLiteral("Mouse"), QStringLiteral("Acme"));
    FakeDeviceState& second = backend.addRadio();
    second.info.outputReportLength = 100;

    link.HidCtlDeviceChange();
    send(link, message(5));

    EXPECT_TRUE(first.written.empty());
    ASSERT_EQ(second.written.size(), 1u);
    EXPECT_EQ(link.outputReportLength(), 100);
}

TEST_F(HidLinkTest, DiscoveryRerunsOnEveryDeviceChangeAndReleasesWhatItHeld)
{
    FakeDeviceState& radio = backend.addRadio();
    FakeDeviceState& mouse = backend.add(QStringLiteral("Mouse"), QStringLiteral("Acme"));
    int listed = 0;
    QObject::connect(&link, &HidLink::devicesChanged, [&] { ++listed; });

    link.HidCtlDeviceChange();
    EXPECT_EQ(radio.openCount, 1);
    EXPECT_EQ(mouse.openCount, 1);

    radio.info.product = QStringLiteral("Unplugged");
    backend.changed();
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(radio.releasedCount, 1);
    EXPECT_EQ(mouse.releasedCount, 1);
    EXPECT_FALSE(link.hasRadio());
    send(link, message(4));
    EXPECT_TRUE(radio.written.empty());

    radio.info.product = QStringLiteral("KOVA-905");
    backend.changed();
    EXPECT_TRUE(link.hasRadio());
    send(link, message(4));
    EXPECT_EQ(radio.written.size(), 1u);
}

TEST_F(HidLinkTest, ARadioWithoutReadWriteAccessGetsNoReceiveHandler)
{
    FakeDeviceState& radio = backend.addRadio();
    radio.readWrite = false;
    link.HidCtlDeviceChange();

    EXPECT_TRUE(link.hasRadio());
    EXPECT_FALSE(link.radioOpenReadWrite());
    link.attachReceiveHandler();
    EXPECT_EQ(radio.startReadingCalls, 0);
}

TEST_F(HidLinkTest, ADeviceThatCannotBeOpenedIsListedButNotUsed)
{
    FakeDeviceState& radio = backend.addRadio();
    radio.openable = false;
    link.HidCtlDeviceChange();

    EXPECT_EQ(link.DevListBox(), QStringList{"KOVA-905"});
    EXPECT_FALSE(link.hasRadio());
    link.attachReceiveHandler();
    EXPECT_EQ(radio.startReadingCalls, 0);
}

// --- receiving ----------------------------------------------------------------

class HidLinkReceiveTest : public HidLinkTest {
protected:
    void SetUp() override
    {
        radio = &backend.addRadio();
        link.HidCtlDeviceChange();
        link.attachReceiveHandler();
        link.attachReceiveHandler();
        ASSERT_TRUE(radio->reader);
    }
    void arrive(const QByteArray& payload)
    {
        radio->reader(QByteArray(1, '\0') + payload.leftJustified(64, '\0'));
    }
    QByteArray held() const
    {
        return QByteArray(reinterpret_cast<const char*>(link.ReceiveBuffer.data()), link.ReceiveCount);
    }

    FakeDeviceState* radio = nullptr;
};

TEST_F(HidLinkReceiveTest, EachReportAddsItsWholePayloadWithoutTheReportId)
{
    arrive(QByteArray(1, '\x06'));
    EXPECT_EQ(link.ReceiveCount, 64);
    EXPECT_EQ(held(), QByteArray(1, '\x06') + QByteArray(63, '\0'));

    arrive(QByteArray("W\x10\x00\x02\xAB\xCD", 6));
    EXPECT_EQ(link.ReceiveCount, 128);
    EXPECT_EQ(held().mid(64, 6), QByteArray("W\x10\x00\x02\xAB\xCD", 6));
}

TEST_F(HidLinkReceiveTest, BytesThatDoNotFitTheBufferAreDropped)
{
    std::vector<QByteArray> payloads;
    for (char fill : {'a', 'b', 'c', 'd', 'e'}) {
        payloads.push_back(QByteArray(64, fill));
        arrive(payloads.back());
    }
    EXPECT_EQ(link.ReceiveCount, 255);
    EXPECT_EQ(held(), payloads[0] + payloads[1] + payloads[2] + payloads[3].left(63));

    // The engine clears the buffer by zeroing the count; the next reply starts afresh.
    link.ReceiveCount = 0;
    arrive(QByteArray("S"));
    EXPECT_EQ(link.ReceiveCount, 64);
    EXPECT_EQ(link.ReceiveBuffer[0], 'S');
}

TEST_F(HidLinkReceiveTest, ReportsForAReleasedRadioNoLongerReachTheBuffer)
{
    radio->info.manufacturer = QStringLiteral("Gone");
    backend.changed();
    EXPECT_FALSE(radio->reader);
    EXPECT_EQ(link.ReceiveCount, 0);
}

TEST(HidLinkShowRead, ACountOutsideTheBufferNeverMovesTheWriteOutside)
{
    FakeBackend backend;
    HidLink link(backend);
    const uint8_t payload[3] = {1, 2, 3};

    link.ReceiveCount = -5;
    link.ShowRead(payload, 3);
    EXPECT_EQ(link.ReceiveCount, 3);
    EXPECT_EQ(link.ReceiveBuffer[0], 1);

    link.ReceiveCount = 1000;
    link.ShowRead(payload, 3);
    EXPECT_EQ(link.ReceiveCount, 255);
}

} // namespace
} // namespace lt
