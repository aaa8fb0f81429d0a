// Reads and writes a full 240-channel codeplug through the transfer engine
// against the radio emulator over the virtual HID device's TCP transport, on
// the program's own Qt timers, and compares the wall time with the ideal of one
// round trip per exchanged message (wall_to_ideal, for every latency above 0).

#include "codeplug/RadioImagePacking.h"
#include "emulator/RadioEmulator.h"
#include "emulator/VirtualHidServer.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "hid/VirtualHidBackend.h"
#include "program/Program.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/TransferEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/prctl.h>

namespace {

// Link request, two password blocks, map, frequency-mode and settings areas,
// and the 240 channel records.
constexpr int kExchanges = 1 + 2 + 2 + 6 + 11 + 240;
// What every run waits by the protocol's own rules, whatever the latency: the
// first transmit tick after Start and the pause after the end marker.
constexpr int kProtocolWaitsMs = lt::TransferEngine::kFirstTxMs + lt::TransferEngine::kEndMarkerWaitMs;

void FillAllChannels(lt::CodeplugModel& model)
{
    model.SetCodeplugDefaults();
    for (int n = 1; n <= lt::cp::kChannelCount; ++n) {
        model.SetChannelUsed(n, true);
        lt::ChannelRecord ch = model.channel(n);
        ch.setRxFreq(static_cast<uint32_t>(430000000 + n * 25000));
        ch.setTxFreq(static_cast<uint32_t>(430000000 + n * 25000));
        ch.setChName(QByteArray("CH") + QByteArray::number(n));
    }
}

// The emulator's side: its replies wait on Qt timers, which fire a little
// late; the time they were actually held is the radio's true share of a run.
class HoldingClock : public lt::QtTransferClock {
public:
    void callLater(int delayMs, std::function<void()> fn) override
    {
        QElapsedTimer held;
        held.start();
        QtTransferClock::callLater(delayMs, [this, held, fn = std::move(fn)] {
            heldNs += held.nsecsElapsed();
            fn();
        });
    }

    qint64 heldNs = 0;
};

bool WaitFor(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void BM_CodeplugTransfer(benchmark::State& state)
{
    const int oneWayMs = static_cast<int>(state.range(0));
    const bool write = state.range(1) != 0;

    lt::QtTransferClock clock;
    lt::RadioEmulator emulator;
    // The emulator delays only its replies, so the whole round trip goes there.
    emulator.faults.latencyMs = 2 * oneWayMs;
    lt::Program program;
    FillAllChannels(program.model);
    lt::GetDataForWrite(program.model, program.image);
    std::copy(program.image.bytes.begin(), program.image.bytes.end(), emulator.memory.begin());
    program.settings.AutoSeachPort = false;

    HoldingClock radioClock;
    lt::VirtualHidServer server(emulator, radioClock);
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        state.SkipWithError("cannot listen");
        return;
    }
    lt::VirtualHidBackend backend({QStringLiteral("127.0.0.1"), server.serverPort()}, nullptr, &clock);
    lt::HidLink link(backend);
    backend.setWatching(true);
    if (!WaitFor([&] { return backend.isPresent(); }, 5000)) {
        state.SkipWithError("the emulator did not introduce itself");
        return;
    }
    link.HidCtlDeviceChange();

    lt::TransferState transferState;
    transferState.direction = write ? lt::kDirectionWrite : lt::kDirectionRead;
    QElapsedTimer wall;
    int64_t wallMs = 0;
    radioClock.heldNs = 0;
    for (auto _ : state) {
        std::unique_ptr<lt::OperationRoutine> routine;
        if (write)
            routine = std::make_unique<lt::Write>(program);
        else
            routine = std::make_unique<lt::Read>(program);
        lt::TransferEngine engine(link, clock, transferState, program, *routine);
        QEventLoop loop;
        engine.onEnded = [&](lt::TransferOutcome) { QTimer::singleShot(0, &loop, &QEventLoop::quit); };
        wall.start();
        engine.ProgramStartClick();
        loop.exec();
        wallMs += wall.elapsed();
        if (engine.outcome() != lt::TransferOutcome::Success) {
            state.SkipWithError("the run failed");
            return;
        }
    }
    const double idealMs = kExchanges * 2.0 * oneWayMs;
    const double runMs = static_cast<double>(wallMs) / static_cast<double>(state.iterations());
    state.counters["exchanges"] = kExchanges;
    state.counters["wall_ms"] = runMs;
    state.counters["ideal_ms"] = idealMs;
    state.counters["ms_per_exchange"] = runMs / kExchanges;
    // What the emulator's timers really held the replies, per run.
    const double radioMs = static_cast<double>(radioClock.heldNs) / 1e6 / static_cast<double>(state.iterations());
    state.counters["radio_ms"] = radioMs;
    if (idealMs > 0) {
        state.counters["wall_to_ideal"] = runMs / idealMs;
        // The best a host can do while the protocol's waits stay as they are.
        state.counters["wall_to_paced_ideal"] = runMs / (idealMs + kProtocolWaitsMs);
        state.counters["wall_to_radio"] = runMs / radioMs;
    }
}

BENCHMARK(BM_CodeplugTransfer)
    ->ArgNames({"latency_ms", "write"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    // The emulator stands for a radio that answers after exactly its latency;
    // the kernel's default timer slack (50 us a wake-up) would add to every
    // reply and be counted against the program.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
