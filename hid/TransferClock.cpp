#include "hid/TransferClock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace lt {

namespace {

class QtTransferTimer : public TransferTimer {
public:
    QtTransferTimer()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (onTimeout)
                onTimeout();
        });
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    int interval() const override { return timer_.interval(); }

private:
    QTimer timer_;
};

const QElapsedTimer& processClock()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock;
}

} // namespace

std::unique_ptr<TransferTimer> QtTransferClock::createTimer()
{
    return std::make_unique<QtTransferTimer>();
}

int64_t QtTransferClock::nowMs() const
{
    return processClock().elapsed();
}

void QtTransferClock::callLater(int delayMs, std::function<void()> fn)
{
    QTimer::singleShot(delayMs, Qt::PreciseTimer, std::move(fn));
}

// --- VirtualClock ------------------------------------------------------------

class VirtualClock::Timer : public TransferTimer {
public:
    explicit Timer(VirtualClock& clock)
        : clock_(clock)
        , alive_(clock.alive_)
    {
    }
    ~Timer() override { stop(); }

    void start(int intervalMs) override
    {
        stop();
        interval_ = intervalMs;
        arm();
    }
    void stop() override
    {
        if (pending_ && *alive_)
            clock_.cancel(pending_);
        pending_ = 0;
    }
    bool isActive() const override { return pending_ != 0; }
    int interval() const override { return interval_; }

private:
    void arm()
    {
        pending_ = clock_.schedule(clock_.now_ + interval_, [this] {
            pending_ = 0;
            arm(); // repeating, like QTimer; the handler may stop or restart it
            if (onTimeout)
                onTimeout();
        });
    }

    VirtualClock& clock_;
    std::shared_ptr<bool> alive_;
    int interval_ = 0;
    uint64_t pending_ = 0;
};

VirtualClock::VirtualClock()
    : alive_(std::make_shared<bool>(true))
{
}

VirtualClock::~VirtualClock()
{
    *alive_ = false;
}

std::unique_ptr<TransferTimer> VirtualClock::createTimer()
{
    return std::make_unique<Timer>(*this);
}

void VirtualClock::callLater(int delayMs, std::function<void()> fn)
{
    schedule(now_ + delayMs, std::move(fn));
}

uint64_t VirtualClock::schedule(int64_t due, std::function<void()> fn)
{
    const uint64_t sequence = nextSequence_++;
    events_.emplace(Event{due, sequence}, std::move(fn));
    return sequence;
}

void VirtualClock::cancel(uint64_t sequence)
{
    for (auto it = events_.begin(); it != events_.end(); ++it) {
        if (it->first.sequence == sequence) {
            events_.erase(it);
            return;
        }
    }
}

void VirtualClock::advance(int64_t ms)
{
    const int64_t end = now_ + ms;
    while (!events_.empty() && events_.begin()->first.due <= end) {
        auto it = events_.begin();
        now_ = std::max(now_, it->first.due);
        std::function<void()> fn = std::move(it->second);
        events_.erase(it);
        fn();
    }
    now_ = end;
}

bool VirtualClock::advanceUntil(const std::function<bool()>& pred, int64_t limitMs)
{
    for (int64_t waited = 0; waited < limitMs; ++waited) {
        if (pred())
            return true;
        advance(1);
    }
    return pred();
}

} // namespace lt
