#include "emulator/LoopbackHidBackend.h"
#include "hid/HidLink.h"
#include "hid/HidReadThread.h"
#include "hid/ThreadedHidDevice.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace lt {
namespace {

using namespace std::chrono_literals;

// A device that has `count` reports ready, numbered from 1, and then stays
// quiet; it notes how many reports the program had handled whenever it was
// asked for the next one.
struct FakeDevice {
    explicit FakeDevice(int count)
        : count(count)
    {
    }

    int read(uint8_t* buffer, std::size_t size, int)
    {
        if (next > count) {
            std::this_thread::sleep_for(1ms);
            return 0;
        }
        {
            std::lock_guard lock(mutex);
            handledWhenAsked.push_back(handled.load());
        }
        std::fill(buffer, buffer + size, static_cast<uint8_t>(next));
        ++next;
        return 3;
    }

    const int count;
    int next = 1;
    std::atomic<int> handled{0};
    std::mutex mutex;
    std::vector<int> handledWhenAsked;
};

TEST(HidReadThread, HandsReportsToTheUiThreadOneAtATimeInArrivalOrder)
{
    FakeDevice device(20);
    std::vector<QByteArray> reports;
    bool allOnUiThread = true;
    {
        HidReadThread reader([&](uint8_t* b, std::size_t s, int t) { return device.read(b, s, t); }, 64, true,
            [&](const QByteArray& report) {
                allOnUiThread = allOnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
                reports.push_back(report);
                ++device.handled;
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return device.handled == 20; }, 5000));
    }

    ASSERT_EQ(reports.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        // The missing report ID comes first, then the bytes the device gave.
        EXPECT_EQ(reports[i], QByteArray(1, '\0') + QByteArray(3, static_cast<char>(i + 1)));
    }
    EXPECT_TRUE(allOnUiThread);
    std::lock_guard lock(device.mutex);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(device.handledWhenAsked[i], i) << "the next read waited for the previous report";
}

TEST(HidReadThread, NumberedReportsArriveAsTheDeviceGaveThem)
{
    FakeDevice device(1);
    QByteArray received;
    HidReadThread reader([&](uint8_t* b, std::size_t s, int t) { return device.read(b, s, t); }, 65, false,
        [&](const QByteArray& report) { received = report; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
    EXPECT_EQ(received, QByteArray(3, '\x01'));
}

TEST(HidReadThread, NothingIsHandledAfterTheReaderIsGone)
{
    std::atomic<bool> delivered{false};
    int handled = 0;
    {
        HidReadThread reader(
            [&](uint8_t*, std::size_t, int) {
                if (delivered.exchange(true))
                    return 0;
                return 1;
            },
            64, true, [&](const QByteArray&) { ++handled; });
        // The report is queued for the UI thread, which does not run before
        // the reader is destroyed; destruction must not wait for it.
        while (!delivered)
            std::this_thread::yield();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 0);
}

TEST(HidReadThread, AGoneDeviceEndsReading)
{
    std::atomic<int> reads{0};
    HidReadThread reader([&](uint8_t*, std::size_t, int) { ++reads; return -1; }, 64, true, [](const QByteArray&) {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reads == 1; }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(reads, 1);
}

// A radio whose device read fails once (a glitch on the bus) and then gives
// the reports queued for it, read on real threads as hidapi devices are.
class GlitchingRadio : public HidBackend {
public:
    std::vector<HidDeviceInfo> enumerate() override { return {LoopbackHidBackend::radioDeviceInfo()}; }
    std::unique_ptr<HidDevice> open(const HidDeviceInfo&) override
    {
        return std::make_unique<ThreadedHidDevice>(
            [this](uint8_t* buffer, std::size_t size, int) { return read(buffer, size); },
            [](const uint8_t*, std::size_t) { return true; }, 64, true);
    }

    void queue(const QByteArray& payload)
    {
        std::lock_guard lock(mutex);
        pending.push_back(payload.leftJustified(64, '\0'));
    }

    std::atomic<int> failedReads{0};

private:
    int read(uint8_t* buffer, std::size_t size)
    {
        if (failedReads == 0) {
            ++failedReads;
            return -1;
        }
        std::lock_guard lock(mutex);
        if (pending.empty()) {
            std::this_thread::sleep_for(1ms);
            return 0;
        }
        const QByteArray payload = pending.front();
        pending.pop_front();
        std::copy_n(payload.constData(), std::min<std::size_t>(size, 64), reinterpret_cast<char*>(buffer));
        return 64;
    }

    std::mutex mutex;
    std::deque<QByteArray> pending;
};

TEST(HidReadThread, AttachingAgainRestartsReadingAfterAFailedRead)
{
    GlitchingRadio radio;
    HidLink link(radio);
    link.HidCtlDeviceChange();
    ASSERT_TRUE(link.radioOpenReadWrite());

    link.attachReceiveHandler();
    ASSERT_TRUE(QTest::qWaitFor([&] { return radio.failedReads == 1; }, 5000));
    // The engine attaches on every poll; the next one finds the thread ended
    // and starts another, so the radio's replies are seen again without a
    // rediscovery.
    QTest::qWait(20);
    radio.queue("S");
    link.attachReceiveHandler();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.ReceiveCount > 0; }, 5000));
    EXPECT_EQ(link.ReceiveBuffer[0], 'S');
    EXPECT_EQ(link.ReceiveCount, 64);

    // Attaching while a thread reads starts no second one: each report
    // arrives once.
    link.ReceiveCount = 0;
    link.attachReceiveHandler();
    radio.queue("W");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.ReceiveCount > 0; }, 5000));
    QTest::qWait(20);
    EXPECT_EQ(link.ReceiveCount, 64);
    EXPECT_EQ(radio.failedReads, 1);
}

// A report being handled when its reader goes (the handler ran a nested event
// loop in which the device was released) is finished without touching the
// reader.
TEST(HidReadThread, TheReaderMayGoWhileItsReportIsHandled)
{
    std::atomic<bool> delivered{false};
    std::unique_ptr<HidReadThread> reader;
    int handled = 0;
    reader = std::make_unique<HidReadThread>(
        [&](uint8_t*, std::size_t, int) {
            if (delivered.exchange(true)) {
                std::this_thread::sleep_for(1ms);
                return 0;
            }
            return 1;
        },
        64, true,
        [&](const QByteArray&) {
            ++handled;
            reader.reset();
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reader; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, 1);
}

} // namespace
} // namespace lt
