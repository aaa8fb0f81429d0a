#include "hid/HidReadThread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
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

} // namespace
} // namespace lt
