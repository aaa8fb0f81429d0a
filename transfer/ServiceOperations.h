#pragma once

#include "calibration/CalibrationData.h"
#include "codeplug/PasswordRecord.h"
#include "transfer/OperationRoutine.h"

#include <cstddef>
#include <cstdint>

namespace lt {

struct Program;
class TransferEngine;

// Where the service exchanges live in radio memory and how they travel.
namespace service {
inline constexpr int kCalibrationAddress = cal::blk::kRadioAddress;
inline constexpr uint8_t kCalibrationUnit = cal::blk::kUnitSize;
inline constexpr int kCalibrationEnd = static_cast<int>(cal::blk::kSize);
inline constexpr int kCustomerIdAddress = 0x5000;
inline constexpr uint8_t kCustomerIdWriteLength = 16; // the ID, then 0xFF
inline constexpr uint8_t kCustomerIdReadLength = 6;   // only the first byte is the ID
inline constexpr uint8_t kPasswordLength = kPasswordRecordSize;

inline constexpr uint16_t kCalibrationProgressUnit = 40;
inline constexpr uint16_t kShortProgressUnit = 10;
} // namespace service

// TransferOperation 1, direction write: packs the calibration once at the start
// and sends the 26 units at 0xF000..0xF190.
class AdjustmentWrite : public OperationRoutine {
public:
    explicit AdjustmentWrite(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;

private:
    void WRITE_AdjustmentData(TransferEngine& engine, int offset);

    Program& program_;
    CalibrationTransmitArea area_{};
};

// TransferOperation 1, direction read: the units land in the radio image from
// offset 0; the calibration takes them only after the success message.
class AdjustmentRead : public OperationRoutine {
public:
    explicit AdjustmentRead(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;
    void afterSuccess() override;

private:
    static void READ_AdjustmentData(TransferEngine& engine, int offset);

    Program& program_;
};

// TransferOperation 7: the RF chip status. It has no link request and no
// password check: the status request goes out in the link step, and a "YS"
// reply there ends the run.
class Read1846Status : public OperationRoutine {
public:
    static constexpr int32_t kStageRequest = 1;
    static constexpr int32_t kStageReplied = 2;

    explicit Read1846Status(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;
    void afterSuccess() override;
    bool drivesLinkStep() const override { return true; }
    void linkReply(TransferEngine& engine) override;

private:
    static void READ_1846StatusData(TransferEngine& engine);

    Program& program_;
};

// TransferOperation 5, direction write: the record for the model's NewPassword
// goes to 0xC000. The run's password step has already checked the radio's
// current record against EnteredPassword.
class PasswordWrite : public OperationRoutine {
public:
    PasswordWrite(Program& program, RandomBytes random) : program_(program), random_(std::move(random)) {}
    void run(TransferEngine& engine) override;

private:
    Program& program_;
    RandomBytes random_;
};

// TransferOperation 14, direction write: Program::customerId to 0x5000.
class SetCustomIdWrite : public OperationRoutine {
public:
    explicit SetCustomIdWrite(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;

private:
    Program& program_;
};

// TransferOperation 14, direction read: Program::customerId changes only after
// the success message.
class ReadCustomId : public OperationRoutine {
public:
    explicit ReadCustomId(Program& program) : program_(program) {}
    void run(TransferEngine& engine) override;
    void afterSuccess() override;

private:
    Program& program_;
};

// Starting one of these runs (the calibration editor, the new-password and the
// customer-ID dialogs): set the run's input first (the model's NewPassword for
// op::RadioPassword, Program::customerId for a customer-ID write), then call
// RunTransfer(env, program, owner, op, direction, TransferTitle(op, direction))
// from transfer/TransferRun.h. When it returns true a read has already stored
// its value (the calibration, its status fields or Program::customerId); when
// it returns false nothing in the program has changed.
//
// Registers the calibration read and write, the status readout, the password
// write and the customer-ID read and write. The password records are scrambled
// with bytes from random.
void RegisterServiceOperations(OperationRegistry& registry, Program& program,
                               RandomBytes random = SystemRandomBytes);

} // namespace lt
