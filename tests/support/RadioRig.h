#pragma once

#include "emulator/LoopbackHidBackend.h"
#include "emulator/RadioEmulator.h"
#include "hid/HidLink.h"
#include "hid/TransferClock.h"
#include "program/Program.h"
#include "transfer/OperationRoutine.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferEnvironment.h"

#include <QByteArray>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace lt::test {

// The program side (model, image, link, transfer environment with the codeplug
// and service routines, as the program registers them) attached to an
// in-process radio emulator, all on a virtual clock. A test fails when the
// program sends anything the emulator, as strict as a radio, refuses.
struct RadioRig {
    RadioRig();
    // The program sent nothing that the radio refuses.
    ~RadioRig();

    // Starts one run headless; the test then moves the clock.
    void start(int32_t operation, int32_t direction);
    // Runs one operation to its end (or limitMs of virtual time) and returns
    // its outcome.
    std::optional<TransferOutcome> run(int32_t operation, int32_t direction, int64_t limitMs = 600000);

    // The messages the program sent, in order, chunked ones put back together
    // (a chunked message keeps the zero padding of its last chunk).
    std::vector<QByteArray> sentMessages() const;
    // The same without the first, the run's link request.
    std::vector<QByteArray> sentAfterLinkRequest() const;

    struct Block {
        char tag;
        int address;
        int length;
        QByteArray data; // block writes only
        bool operator==(const Block&) const = default;
    };
    // The block reads or block writes sent, in order.
    std::vector<Block> sentBlocks(char tag) const;

    QByteArray memory(int address, int length) const;

    VirtualClock clock;
    RadioEmulator emulator;
    LoopbackHidBackend backend{emulator, clock};
    HidLink link{backend};
    TransferEnvironment env{backend, link, clock};
    Program program;
    std::unique_ptr<OperationRoutine> routine;
    std::unique_ptr<TransferEngine> engine;
};

} // namespace lt::test
