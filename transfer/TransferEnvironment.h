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

} // namespace lt
