#pragma once

#include "transfer/OperationRoutine.h"
#include "transfer/TransferState.h"

namespace lt {

class HidBackend;
class HidLink;
class TransferClock;

// Everything every transfer run shares, created once by main() (tests make
// their own): the HID service, the one link to the radio, the clock behind the
// engine's timers, the program-wide transfer state and the operation routines.
struct TransferEnvironment {
    TransferEnvironment(HidBackend& hidBackend, HidLink& hidLink, TransferClock& transferClock)
        : backend(hidBackend)
        , link(hidLink)
        , clock(transferClock)
    {
    }

    HidBackend& backend;
    HidLink& link;
    TransferClock& clock;
    TransferState state;
    OperationRegistry operations;
};

// The environment of the running program. main() installs the one it creates
// for as long as it lives, so that the windows' transfer commands reach it;
// tests install their own the same way.
class ProgramTransferEnvironment {
public:
    explicit ProgramTransferEnvironment(TransferEnvironment& env);
    ~ProgramTransferEnvironment();
    ProgramTransferEnvironment(const ProgramTransferEnvironment&) = delete;
    ProgramTransferEnvironment& operator=(const ProgramTransferEnvironment&) = delete;

    // The installed environment; a transfer command without one is a fault
    // of the program's start-up and throws std::logic_error.
    static TransferEnvironment& current();

private:
    TransferEnvironment* previous_;
};

} // namespace lt
