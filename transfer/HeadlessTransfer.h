#pragma once

#include "transfer/TransferState.h"

#include <QString>

#include <cstdint>
#include <functional>

namespace lt {

class OperationRoutine;
class VirtualClock;
struct Program;
struct TransferEnvironment;

// How a run without a window ended. NoRadio is told apart from a silent radio
// so that a script can say which of the two went wrong.
enum class RunResult {
    Success,
    NoRadio,
    CommunicationFailure,
    PasswordError,
};

// One line that says why a run failed (empty for success).
QString RunResultReason(RunResult result);

// Lets a run without a window wait: it returns once done() holds (true) or
// limitMs have passed (false), letting the clock and the link do their work
// meanwhile.
using TransferWait = std::function<bool(const std::function<bool()>& done, int limitMs)>;

// Waiting on the program's real clock: the Qt event loop runs.
TransferWait EventLoopWait();
// Waiting on a virtual clock: time is stepped forward, so a whole run with an
// in-process radio takes no real time.
TransferWait VirtualClockWait(VirtualClock& clock);

// Runs one exchange with the radio through the transfer engine, as the
// transfer dialog does, but with no widget: the radio is discovered, the run
// starts at once, progress goes to onProgress and the outcome comes back as a
// value. The operation stores what it read only on success. Like the dialog,
// it watches the devices while it lives and releases them when it goes.
class HeadlessTransfer {
public:
    static constexpr int kDefaultRadioWaitMs = 3000;

    HeadlessTransfer(TransferEnvironment& env, TransferWait wait);
    ~HeadlessTransfer();
    HeadlessTransfer(const HeadlessTransfer&) = delete;
    HeadlessTransfer& operator=(const HeadlessTransfer&) = delete;

    std::function<void(int)> onProgress;
    // How long to wait for a radio that is not there yet (a virtual device is
    // listed only once its introduction has arrived).
    int radioWaitMs = kDefaultRadioWaitMs;

    // The routine registered for the operation, working on the environment's
    // program.
    RunResult run(Program& program, int32_t operation, int32_t direction);
    // A routine of the caller's, e.g. a read into a scratch program.
    RunResult run(Program& program, OperationRoutine& routine, int32_t operation, int32_t direction);

    // Discovers the devices and waits up to radioWaitMs for the radio.
    bool findRadio();

private:
    TransferEnvironment& env_;
    TransferWait wait_;
};

} // namespace lt
