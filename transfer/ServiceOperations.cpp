#include "transfer/ServiceOperations.h"

#include "calibration/RfChipStatus.h"
#include "hid/HidLink.h"
#include "program/Program.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferState.h"

#include <algorithm>
#include <cstring>

namespace lt {

using namespace service;

namespace {

// Each service routine has a set-up stage, one stage of blocks and its ending.
constexpr int32_t kStageSetUp = 0;
constexpr int32_t kStageBlocks = 1;

void EnterBlockStage(TransferEngine& engine, uint16_t progressUnit)
{
    engine.ProgressUnit = progressUnit;
    engine.OperationStage = kStageBlocks;
    engine.BlockAddress = 0;
}

void EndWithMarker(TransferEngine& engine)
{
    engine.setProgress(100);
    engine.WriteEnding();
}

// The last unit starts below the block's end and runs into the zero padding of
// the transmit area, never past it.
static_assert((kCalibrationEnd + kCalibrationUnit - 1) / kCalibrationUnit == cal::blk::kUnitCount);
static_assert(cal::blk::kTransmitSize == cal::blk::kUnitCount * kCalibrationUnit);
// The customer-ID block and the password record are staged at the start of
// the radio image, where a read of the ID also lands.
static_assert(kCustomerIdReadLength <= kCustomerIdWriteLength);
// The status request is the readout's one stage of messages.
static_assert(Read1846Status::kStageRequest == kStageBlocks);

} // namespace

void AdjustmentWrite::WRITE_AdjustmentData(TransferEngine& engine, int offset)
{
    engine.WriteData(kCalibrationAddress + offset, kCalibrationUnit, area_.data() + offset);
}

void AdjustmentWrite::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp) {
        area_ = program_.calibration.GetAdjustmentData();
        EnterBlockStage(engine, kCalibrationProgressUnit);
    }
    if (engine.OperationStage == kStageBlocks && engine.BlockAddress < kCalibrationEnd) {
        WRITE_AdjustmentData(engine, engine.BlockAddress);
        return;
    }
    EndWithMarker(engine);
}

void AdjustmentRead::READ_AdjustmentData(TransferEngine& engine, int offset)
{
    engine.ReadData(kCalibrationAddress + offset, kCalibrationUnit);
}

void AdjustmentRead::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp)
        EnterBlockStage(engine, kCalibrationProgressUnit);
    if (engine.OperationStage == kStageBlocks && engine.BlockAddress < kCalibrationEnd) {
        READ_AdjustmentData(engine, engine.BlockAddress);
        return;
    }
    EndWithMarker(engine);
}

void AdjustmentRead::afterSuccess()
{
    program_.calibration.SetAdjustmentData(
        std::span<const uint8_t, cal::blk::kSize>(program_.image.at(0), cal::blk::kSize));
}

void Read1846Status::READ_1846StatusData(TransferEngine& engine)
{
    engine.link().Agr_HidWrite(rfstatus::kRequest, sizeof(rfstatus::kRequest));
}

void Read1846Status::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp)
        EnterBlockStage(engine, kShortProgressUnit);
    if (engine.OperationStage == kStageRequest) {
        READ_1846StatusData(engine);
        return;
    }
    engine.setProgress(100);
    engine.SuccessEnding();
}

void Read1846Status::linkReply(TransferEngine& engine)
{
    HidLink& link = engine.link();
    const auto held = static_cast<std::size_t>(std::clamp<int32_t>(link.ReceiveCount, 0, HidLink::kReceiveBufferSize));
    if (held < rfstatus::kTagSize)
        return;
    if (!std::equal(std::begin(rfstatus::kReplyTag), std::end(rfstatus::kReplyTag), link.ReceiveBuffer.begin())) {
        link.ReceiveCount = 0;
        return;
    }
    if (held < rfstatus::kReplyLength)
        return;
    // Only what has arrived is copied: a reply cut short after the values
    // leaves the rest of the kept area as it was.
    const std::size_t kept = std::min(rfstatus::kKeptSize, held - rfstatus::kTagSize);
    std::memcpy(engine.image().at(0), link.ReceiveBuffer.data() + rfstatus::kTagSize, kept);
    engine.OperationStage = kStageReplied;
    run(engine);
}

void Read1846Status::afterSuccess()
{
    Set1846StatucData(program_.calibration,
                      std::span<const uint8_t, rfstatus::kUsedSize>(program_.image.at(0), rfstatus::kUsedSize));
}

void PasswordWrite::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp) {
        const PasswordRecord record = EncodePasswordRecord(program_.model.text(cp::NewPassword), random_);
        std::copy(record.begin(), record.end(), engine.image().at(0));
        EnterBlockStage(engine, kShortProgressUnit);
    }
    if (engine.OperationStage == kStageBlocks && engine.BlockAddress < kPasswordLength) {
        engine.WriteData(kPasswordRecordAddress, kPasswordLength, engine.image().at(0));
        return;
    }
    EndWithMarker(engine);
}

void SetCustomIdWrite::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp) {
        std::fill_n(engine.image().at(0), kCustomerIdWriteLength, uint8_t{0xFF});
        *engine.image().at(0) = program_.customerId;
        EnterBlockStage(engine, kShortProgressUnit);
    }
    if (engine.OperationStage == kStageBlocks && engine.BlockAddress < kCustomerIdWriteLength) {
        engine.WriteData(kCustomerIdAddress, kCustomerIdWriteLength, engine.image().at(0));
        return;
    }
    EndWithMarker(engine);
}

void ReadCustomId::run(TransferEngine& engine)
{
    if (engine.OperationStage == kStageSetUp)
        EnterBlockStage(engine, kShortProgressUnit);
    if (engine.OperationStage == kStageBlocks && engine.BlockAddress < kCustomerIdReadLength) {
        engine.ReadData(kCustomerIdAddress, kCustomerIdReadLength);
        return;
    }
    EndWithMarker(engine);
}

void ReadCustomId::afterSuccess()
{
    program_.customerId = *program_.image.at(0);
}

void RegisterServiceOperations(OperationRegistry& registry, Program& program, RandomBytes random)
{
    registry.add(op::Calibration, kDirectionWrite, [&program] { return std::make_unique<AdjustmentWrite>(program); });
    registry.add(op::Calibration, kDirectionRead, [&program] { return std::make_unique<AdjustmentRead>(program); });
    registry.add(op::RfChipStatus, kDirectionRead, [&program] { return std::make_unique<Read1846Status>(program); });
    registry.add(op::RadioPassword, kDirectionWrite,
                 [&program, random] { return std::make_unique<PasswordWrite>(program, random); });
    registry.add(op::CustomerId, kDirectionWrite, [&program] { return std::make_unique<SetCustomIdWrite>(program); });
    registry.add(op::CustomerId, kDirectionRead, [&program] { return std::make_unique<ReadCustomId>(program); });
}

} // namespace lt
