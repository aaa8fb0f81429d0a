#include "transfer/HeadlessTransfer.h"

#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "transfer/OperationRoutine.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferEnvironment.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <stdexcept>
#include <string>

namespace lt {

namespace {

// The engine's own timeouts end every run; this only guards against a run
// that could never end.
constexpr int kRunLimitMs = 60 * 60 * 1000;
constexpr int kPollMs = 2;

RunResult ResultOf(TransferOutcome outcome)
{
    switch (outcome) {
    case TransferOutcome::Success:
        return RunResult::Success;
    case TransferOutcome::PasswordError:
        return RunResult::PasswordError;
    default:
        return RunResult::CommunicationFailure;
    }
}

} // namespace

QString RunResultReason(RunResult result)
{
    switch (result) {
    case RunResult::Success:
        return {};
    case RunResult::NoRadio:
        return QStringLiteral("no radio found");
    case RunResult::CommunicationFailure:
        return QStringLiteral("communication failure: the radio did not answer in time or answered wrongly");
    case RunResult::PasswordError:
        return QStringLiteral("password error: the radio refused the entered password");
    }
    return {};
}

TransferWait EventLoopWait()
{
    return [](const std::function<bool()>& done, int limitMs) {
        if (done())
            return true;
        QElapsedTimer elapsed;
        elapsed.start();
        QEventLoop loop;
        QTimer poll;
        poll.callOnTimeout([&] {
            if (done() || elapsed.elapsed() >= limitMs)
                loop.quit();
        });
        poll.start(kPollMs);
        loop.exec();
        return done();
    };
}

TransferWait VirtualClockWait(VirtualClock& clock)
{
    return [&clock](const std::function<bool()>& done, int limitMs) { return clock.advanceUntil(done, limitMs); };
}

HeadlessTransfer::HeadlessTransfer(TransferEnvironment& env, TransferWait wait)
    : env_(env)
    , wait_(std::move(wait))
{
    env_.backend.setWatching(true);
}

HeadlessTransfer::~HeadlessTransfer()
{
    env_.link.releaseDevices();
    env_.backend.setWatching(false);
}

bool HeadlessTransfer::findRadio()
{
    env_.link.HidCtlDeviceChange();
    if (env_.link.hasRadio())
        return true;
    return wait_([this] { return env_.link.hasRadio(); }, radioWaitMs);
}

RunResult HeadlessTransfer::run(Program& program, int32_t operation, int32_t direction)
{
    const std::unique_ptr<OperationRoutine> routine = env_.operations.create(operation, direction);
    if (!routine)
        throw std::logic_error("no routine for transfer operation " + std::to_string(operation));
    return run(program, *routine, operation, direction);
}

RunResult HeadlessTransfer::run(Program& program, OperationRoutine& routine, int32_t operation, int32_t direction)
{
    env_.state.TransferOperation = operation;
    env_.state.direction = direction;
    if (!findRadio())
        return RunResult::NoRadio;

    TransferEngine engine(env_.link, env_.clock, env_.state, program, routine);
    engine.onProgress = onProgress;
    engine.ProgramStartClick();
    if (!wait_([&engine] { return engine.outcome().has_value(); }, kRunLimitMs))
        engine.FormClose();
    return ResultOf(engine.outcome().value_or(TransferOutcome::CommunicationFailure));
}

} // namespace lt
