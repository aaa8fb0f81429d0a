#pragma once

#include "calibration/CalibrationData.h"
#include "transfer/OperationRoutine.h"

#include <array>
#include <cstdint>

namespace lt {

struct Program;
class OperationRegistry;
class TransferEngine;

// The codeplug's stages after the optional calibration blocks: every used
// channel's slot, then the channel-used map, the frequency-mode area, the
// settings area and, when a new radio password goes along, the password record.
// The channel records go first so the radio never sees a map that marks
// channels it does not hold yet.
class CodeplugWriteStages {
public:
    // Stage numbers from firstStage on are this sequence's; the stage before
    // it has packed the codeplug and set the channel index to 1.
    explicit CodeplugWriteStages(int firstStage) : first_(firstStage) {}
    void run(TransferEngine& engine) const;

private:
    int first_;
};

// TransferOperation 0, direction write.
class Write : public OperationRoutine {
public:
    explicit Write(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;

private:
    Program& program_;
    CodeplugWriteStages stages_{1};
};

// TransferOperation 0, direction read. The radio's channel-used map is held
// here, not in the model: the model changes only after the success message.
class Read : public OperationRoutine {
public:
    explicit Read(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;
    void afterSuccess() override;

private:
    Program& program_;
    std::array<uint8_t, 32> radioMap_{};
};

// TransferOperation 17: the calibration block, then the whole codeplug.
class AllWrite : public OperationRoutine {
public:
    explicit AllWrite(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;

private:
    Program& program_;
    CalibrationTransmitArea calibrationImage_{};
    CodeplugWriteStages stages_{2};
};

// ProgressUnit of each routine for a given number of unused channels.
uint16_t WriteProgressUnit(int unusedChannels);
uint16_t AllWriteProgressUnit(int unusedChannels);
inline constexpr uint16_t kReadMapProgressUnit = 328;

// Registers Read, Write and AllWrite for their operation codes.
void RegisterCodeplugOperations(OperationRegistry& registry, Program& program);

} // namespace lt
