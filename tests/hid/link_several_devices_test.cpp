#include "emulator/LoopbackHidBackend.h"
#include "emulator/RadioEmulator.h"
#include "emulator/VirtualHidServer.h"
#include "hid/HidBackendFactory.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "hid/VirtualHidBackend.h"

#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTest>

#include <array>
#include <memory>

namespace lt {
namespace {

constexpr int kWaitMs = 5000;

QStringList Paths(HidBackend& backend)
{
    QStringList paths;
    for (const HidDeviceInfo& info : backend.enumerate())
        paths << info.path;
    return paths;
}

TEST(VirtualHidVariable, ListsEveryHostAndPortOnce)
{
    const struct {
        const char* variable;
        QStringList paths;
    } cases[] = {
        {"127.0.0.1:4402", {"tcp:127.0.0.1:4402"}},
        {"127.0.0.1:4402,127.0.0.1:4403, localhost:4404 ", {"tcp:127.0.0.1:4402", "tcp:127.0.0.1:4403", "tcp:localhost:4404"}},
        {"127.0.0.1:4402,127.0.0.1:4402", {"tcp:127.0.0.1:4402"}},
        {"nonsense,127.0.0.1:0,:4402,,127.0.0.1:4405", {"tcp:127.0.0.1:4405"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        QStringList paths;
        for (const VirtualHidAddress& address : virtualHidAddresses(QString::fromLatin1(c.variable)))
            paths << VirtualHidBackend::pathOf(address);
        EXPECT_EQ(paths, c.paths) << c.variable;
    }
}

// Three emulators served over TCP, as three radios on a desk.
class SeveralVirtualDevices : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::size_t i = 0; i < servers.size(); ++i) {
            servers[i] = std::make_unique<VirtualHidServer>(emulators[i], clock);
            ASSERT_TRUE(servers[i]->listen(QHostAddress::LocalHost, 0));
            paths << QStringLiteral("tcp:127.0.0.1:%1").arg(servers[i]->serverPort());
        }
    }

    QString variable() const
    {
        QStringList list;
        for (const QString& path : paths)
            list << path.mid(4);
        return list.join(QLatin1Char(','));
    }

    QtTransferClock clock;
    std::array<RadioEmulator, 3> emulators;
    std::array<std::unique_ptr<VirtualHidServer>, 3> servers;
    QStringList paths;
};

TEST_F(SeveralVirtualDevices, TheProgramListsOneDevicePerAddressOnceDiscoveryHasSettled)
{
    const QByteArray saved = qgetenv(kVirtualHidVariable);
    qputenv(kVirtualHidVariable, variable().toLatin1());
    const std::unique_ptr<HidBackend> program = createProgramHidBackend();
    qputenv(kVirtualHidVariable, saved);
    program->setWatching(true);

    EXPECT_TRUE(program->discovering()) << "the connections are still being made";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !program->discovering(); }, kWaitMs));
    QStringList virtualPaths = Paths(*program).filter(QStringLiteral("tcp:"));
    EXPECT_EQ(virtualPaths, paths);
}

TEST_F(SeveralVirtualDevices, OneDeviceByItsPathIsAllTheLinkSees)
{
    const std::unique_ptr<HidBackend> single = createSingleDeviceBackend(paths[1]);
    single->setWatching(true);
    HidLink link(*single);
    link.HidCtlDeviceChange();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.hasRadio(); }, kWaitMs));
    EXPECT_EQ(Paths(*single), QStringList{paths[1]});

    link.attachReceiveHandler();
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>("PROGR81\xFF"), 8);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.ReceiveCount > 0; }, kWaitMs));
    EXPECT_EQ(link.ReceiveBuffer[0], 'S');
    link.ReceiveCount = 0;
    link.Agr_HidWrite(reinterpret_cast<const uint8_t*>("W\xA0\x10\x01\x5A"), 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.ReceiveCount > 0; }, kWaitMs));
    EXPECT_EQ(emulators[1].memory[0xA010], 0x5A);
    EXPECT_NE(emulators[0].memory[0xA010], 0x5A);
    EXPECT_NE(emulators[2].memory[0xA010], 0x5A);
}

TEST_F(SeveralVirtualDevices, AnAddressNobodyListensOnSettlesWithNothingListed)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    const std::unique_ptr<HidBackend> nobody = createSingleDeviceBackend(QStringLiteral("tcp:127.0.0.1:%1").arg(port));
    nobody->setWatching(true);
    EXPECT_TRUE(nobody->discovering());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !nobody->discovering(); }, kWaitMs));
    EXPECT_TRUE(Paths(*nobody).isEmpty());
}

TEST(SingleDeviceBackend, ListsAndOpensOnlyItsDevice)
{
    VirtualClock clock;
    RadioEmulator first, second;
    auto a = std::make_unique<LoopbackHidBackend>(first, clock);
    auto b = std::make_unique<LoopbackHidBackend>(second, clock);
    a->info.path = QStringLiteral("/dev/hidraw1");
    b->info.path = QStringLiteral("/dev/hidraw2");
    const HidDeviceInfo other = a->info;
    std::vector<std::unique_ptr<HidBackend>> both;
    both.push_back(std::move(a));
    both.push_back(std::move(b));
    SingleDeviceBackend single(std::make_unique<CompositeHidBackend>(std::move(both)), QStringLiteral("/dev/hidraw2"));

    const std::vector<HidDeviceInfo> listed = single.enumerate();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].path, QStringLiteral("/dev/hidraw2"));
    EXPECT_NE(single.open(listed[0]), nullptr);
    EXPECT_EQ(single.open(other), nullptr);
    EXPECT_FALSE(single.discovering());
}

} // namespace
} // namespace lt
