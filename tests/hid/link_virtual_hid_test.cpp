#include "emulator/RadioEmulator.h"
#include "emulator/VirtualHidServer.h"
#include "hid/HidBackendFactory.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "hid/VirtualHidBackend.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

namespace lt {
namespace {

// Spins the event loop until pred holds; a real exchange on the loopback
// interface takes milliseconds, the bound only keeps a broken run finite.
template <typename Pred>
bool waitFor(Pred pred)
{
    return QTest::qWaitFor(pred, 5000);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// The emulator served over real TCP on 127.0.0.1, and the program's link
// reaching it through the virtual device backend.
class VirtualHidTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0)) << server.errorString().toStdString(); }

    // Connects the program side as a transfer dialog does: watching, and
    // rerunning discovery once the device is there.
    void attach()
    {
        backend = std::make_unique<VirtualHidBackend>(VirtualHidAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
        link = std::make_unique<HidLink>(*backend);
        backend->setWatching(true);
        link->HidCtlDeviceChange();
        ASSERT_TRUE(waitFor([&] { return link->hasRadio(); }));
        link->attachReceiveHandler();
    }

    QByteArray exchange(const QByteArray& message, int expected)
    {
        link->ReceiveCount = 0;
        link->Agr_HidWrite(reinterpret_cast<const uint8_t*>(message.constData()), static_cast<uint16_t>(message.size()));
        if (!waitFor([&] { return link->ReceiveCount >= expected; }))
            return {};
        return QByteArray(reinterpret_cast<const char*>(link->ReceiveBuffer.data()), link->ReceiveCount);
    }

    QtTransferClock clock;
    RadioEmulator emulator;
    VirtualHidServer server{emulator, clock};
    std::unique_ptr<VirtualHidBackend> backend;
    std::unique_ptr<HidLink> link;
};

TEST_F(VirtualHidTest, TheEmulatorIsFoundByItsStringsAndExchangesBlocks)
{
    attach();
    EXPECT_EQ(link->DevListBox(), QStringList{"KOVA-905"});
    EXPECT_EQ(link->outputReportLength(), 65);

    EXPECT_EQ(exchange("PROGR81\xFF", 64).left(1), "S");
    EXPECT_EQ(exchange(bytes({'W', 0xA0, 0x10, 3, 0x11, 0x22, 0x33}), 64), bytes({0x06}) + QByteArray(63, '\0'));
    EXPECT_EQ(emulator.memory[0xA010], 0x11);
    EXPECT_EQ(emulator.memory[0xA012], 0x33);
    EXPECT_EQ(exchange(bytes({'R', 0xA0, 0x0F, 5}), 64).left(9), bytes({'W', 0xA0, 0x0F, 5, 0xFF, 0x11, 0x22, 0x33, 0xFF}));
}

TEST_F(VirtualHidTest, ReportsOfOtherLengthsTravelAsAnnounced)
{
    server.identity.inputReportLength = 33;
    server.identity.outputReportLength = 129;
    attach();
    EXPECT_EQ(link->outputReportLength(), 129);
    EXPECT_EQ(exchange("PROGR81\xFF", 32).left(1), "S");
    // 100 bytes of reply (tag, address, length, 96 data bytes) in 32-byte payloads.
    const QByteArray reply = exchange(bytes({'R', 0x00, 0x00, 96}), 128);
    EXPECT_EQ(reply.size(), 128);
    EXPECT_EQ(reply.left(4), bytes({'W', 0x00, 0x00, 96}));
}

TEST_F(VirtualHidTest, ADeviceWithOtherStringsIsListedButNotUsed)
{
    server.identity.product = QString();
    server.identity.vendorId = 0x0ABC;
    server.identity.productId = 0x0001;
    backend = std::make_unique<VirtualHidBackend>(VirtualHidAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
    HidLink other(*backend);
    backend->setWatching(true);
    other.HidCtlDeviceChange();
    ASSERT_TRUE(waitFor([&] { return !other.DevListBox().isEmpty(); }));
    EXPECT_EQ(other.DevListBox(), QStringList{"Device VID=0ABC PID=0001"});
    EXPECT_FALSE(other.hasRadio());
}

TEST_F(VirtualHidTest, TheDisconnectFaultUnplugsTheRadioForGood)
{
    emulator.faults.disconnectAfterBlocks = 1;
    attach();
    EXPECT_EQ(exchange("PROGR81\xFF", 64).left(1), "S");
    EXPECT_FALSE(exchange(bytes({'R', 0x00, 0x00, 16}), 64).isEmpty());
    ASSERT_TRUE(waitFor([&] { return !link->hasRadio(); }));
    EXPECT_TRUE(link->DevListBox().isEmpty());

    // Reconnecting finds no radio any more.
    QSignalSpy refused(&server, &VirtualHidServer::clientConnected);
    VirtualHidBackend again(VirtualHidAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
    again.setWatching(true);
    QTest::qWait(50);
    EXPECT_FALSE(again.isPresent());
    EXPECT_EQ(refused.count(), 0);
}

TEST_F(VirtualHidTest, TheProgramsBackendAddsTheDeviceNamedByTheEnvironment)
{
    const QByteArray saved = qgetenv(kVirtualHidVariable);
    qputenv(kVirtualHidVariable, QByteArray("127.0.0.1:") + QByteArray::number(server.serverPort()));
    const std::unique_ptr<HidBackend> program = createProgramHidBackend();
    qputenv(kVirtualHidVariable, QByteArray());
    const std::unique_ptr<HidBackend> withoutVirtual = createProgramHidBackend();
    qputenv(kVirtualHidVariable, saved);

    HidLink programLink(*program);
    program->setWatching(true);
    programLink.HidCtlDeviceChange();
    ASSERT_TRUE(waitFor([&] { return programLink.hasRadio(); }));
    // Listed after the real devices, like one more attached device.
    EXPECT_EQ(programLink.DevListBox().back(), "KOVA-905");

    for (const HidDeviceInfo& device : withoutVirtual->enumerate())
        EXPECT_FALSE(device.path.startsWith(QLatin1String("tcp:"))) << device.path.toStdString();
}

// No connection is held while nobody watches, so another program (the
// command-line tool beside the open main window) has the emulator to itself.
TEST_F(VirtualHidTest, ConnectsOnlyWhileWatched)
{
    QSignalSpy connected(&server, &VirtualHidServer::clientConnected);
    QSignalSpy disconnected(&server, &VirtualHidServer::clientDisconnected);
    VirtualHidBackend watched(VirtualHidAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
    QTest::qWait(50);
    EXPECT_EQ(connected.count(), 0);

    watched.setWatching(true);
    ASSERT_TRUE(waitFor([&] { return watched.isPresent(); }));
    EXPECT_EQ(connected.count(), 1);

    QSignalSpy changed(&watched, &HidBackend::devicesChanged);
    watched.setWatching(false);
    EXPECT_FALSE(watched.isPresent());
    EXPECT_TRUE(watched.enumerate().empty());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(waitFor([&] { return disconnected.count() == 1; }));

    // Watched again, it is back.
    watched.setWatching(true);
    EXPECT_TRUE(waitFor([&] { return watched.isPresent(); }));
    EXPECT_EQ(connected.count(), 2);
}

TEST(VirtualHidBackend, AMalformedIntroductionListsNothing)
{
    for (const QByteArray& introduction :
        {QByteArray("not json\n"), QByteArray("{\"vendor_id\": 1, \"product_id\": 2, \"input_report_length\": 65}\n"),
            QByteArray("{\"vendor_id\": 70000, \"product_id\": 2, \"input_report_length\": 65, \"output_report_length\": 65}\n"),
            QByteArray("{\"vendor_id\": 1, \"product_id\": 2, \"input_report_length\": 0, \"output_report_length\": 65}\n"),
            QByteArray("{\"vendor_id\": 1e10, \"product_id\": 2, \"input_report_length\": 65, \"output_report_length\": 65}\n"),
            QByteArray("{\"vendor_id\": 1, \"product_id\": -1e300, \"input_report_length\": 65, \"output_report_length\": 65}\n"),
            QByteArray("{\"vendor_id\": 1, \"product_id\": 2, \"input_report_length\": 64.5, \"output_report_length\": 65}\n")}) {
        QTcpServer raw;
        ASSERT_TRUE(raw.listen(QHostAddress::LocalHost, 0));
        QObject::connect(&raw, &QTcpServer::newConnection, [&] { raw.nextPendingConnection()->write(introduction); });
        VirtualHidBackend backend(VirtualHidAddress{QStringLiteral("127.0.0.1"), raw.serverPort()});
        QSignalSpy changed(&backend, &HidBackend::devicesChanged);
        backend.setWatching(true);
        const bool closed = waitFor([&] {
            const auto sockets = raw.findChildren<QTcpSocket*>();
            return !sockets.isEmpty() && sockets.front()->state() == QAbstractSocket::UnconnectedState;
        });
        EXPECT_TRUE(closed) << introduction.constData();
        EXPECT_TRUE(backend.enumerate().empty());
        EXPECT_EQ(changed.count(), 0);
    }
}

TEST(VirtualHidBackend, ParsesHostAndPort)
{
    const auto address = VirtualHidBackend::parseAddress(QStringLiteral("localhost:4402"));
    ASSERT_TRUE(address);
    EXPECT_EQ(address->host, "localhost");
    EXPECT_EQ(address->port, 4402);
    for (const char* bad : {"", "localhost", ":4402", "localhost:", "localhost:0", "localhost:70000", "localhost:44x"})
        EXPECT_FALSE(VirtualHidBackend::parseAddress(QString::fromLatin1(bad))) << bad;
}

// Stands in for the hidapi devices beside the virtual one.
class ListedBackend : public HidBackend {
public:
    explicit ListedBackend(QString path)
    {
        info.path = std::move(path);
        info.product = QStringLiteral("Keyboard");
    }
    std::vector<HidDeviceInfo> enumerate() override { return {info}; }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo& device) override
    {
        opened.push_back(device.path);
        return nullptr;
    }
    void setWatching(bool on) override { watching = on; }
    void changed() { emit devicesChanged(); }

    HidDeviceInfo info;
    QStringList opened;
    bool watching = false;
};

TEST(CompositeHidBackend, ListsAllBackendsInOrderAndOpensThroughTheOneThatListed)
{
    auto first = std::make_unique<ListedBackend>(QStringLiteral("/dev/hidraw0"));
    auto second = std::make_unique<ListedBackend>(QStringLiteral("tcp:127.0.0.1:1"));
    ListedBackend* a = first.get();
    ListedBackend* b = second.get();
    std::vector<std::unique_ptr<HidBackend>> backends;
    backends.push_back(std::move(first));
    backends.push_back(std::move(second));
    CompositeHidBackend composite(std::move(backends));
    QSignalSpy changed(&composite, &HidBackend::devicesChanged);

    const auto devices = composite.enumerate();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].path, "/dev/hidraw0");
    EXPECT_EQ(devices[1].path, "tcp:127.0.0.1:1");

    composite.open(devices[1]);
    EXPECT_TRUE(a->opened.isEmpty());
    EXPECT_EQ(b->opened, QStringList{"tcp:127.0.0.1:1"});

    composite.setWatching(true);
    EXPECT_TRUE(a->watching && b->watching);
    b->changed();
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
} // namespace lt
