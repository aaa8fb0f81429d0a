#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace lt {

// A single-shot-or-repeating millisecond timer as the transfer engine uses it.
// The program runs on Qt timers; tests run on a VirtualClock, so a whole read,
// a 6000 ms timeout or a resend after 1000 ms takes microseconds of real time.
class TransferTimer {
public:
    virtual ~TransferTimer() = default;
    // (Re)starts the timer; it fires every intervalMs until stopped.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

    std::function<void()> onTimeout;
};

class TransferClock {
public:
    virtual ~TransferClock() = default;
    virtual std::unique_ptr<TransferTimer> createTimer() = 0;
    // Milliseconds since an arbitrary start; only differences matter.
    virtual int64_t nowMs() const = 0;
    // Runs fn once after delayMs (a short pause that keeps handling events).
    virtual void callLater(int delayMs, std::function<void()> fn) = 0;
};

// Real time through QTimer, on the thread that creates the timers.
class QtTransferClock : public TransferClock {
public:
    std::unique_ptr<TransferTimer> createTimer() override;
    int64_t nowMs() const override;
    void callLater(int delayMs, std::function<void()> fn) override;
};

// Simulated time. advance() fires every due timer and callback in time order;
// nothing happens between calls, so tests step through a run deterministically.
class VirtualClock : public TransferClock {
public:
    VirtualClock();
    ~VirtualClock() override;

    std::unique_ptr<TransferTimer> createTimer() override;
    int64_t nowMs() const override { return now_; }
    void callLater(int delayMs, std::function<void()> fn) override;

    // Moves time forward by ms, firing what falls due on the way.
    void advance(int64_t ms);
    // Advances in 1 ms steps until pred() holds or limitMs have passed;
    // returns whether pred() held.
    bool advanceUntil(const std::function<bool()>& pred, int64_t limitMs);

private:
    class Timer;
    friend class Timer;

    struct Event {
        int64_t due;
        uint64_t sequence;
        bool operator<(const Event& other) const
        {
            return due != other.due ? due < other.due : sequence < other.sequence;
        }
    };

    uint64_t schedule(int64_t due, std::function<void()> fn);
    void cancel(uint64_t sequence);

    int64_t now_ = 0;
    uint64_t nextSequence_ = 1;
    std::map<Event, std::function<void()>> events_;
    std::shared_ptr<bool> alive_;
};

} // namespace lt
