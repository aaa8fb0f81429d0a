#include "transfer/CodeplugOperations.h"

#include "codeplug/PasswordRecord.h"
#include "codeplug/RadioImageLayout.h"
#include "codeplug/RadioImagePacking.h"
#include "program/Program.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferState.h"

#include <cstring>
#include <functional>

namespace lt {

namespace {

// A stretch of radio memory that travels in whole blocks: the last block
// starts below end, even when it runs past it.
struct BlockRange {
    int start;
    int end;
};

inline constexpr uint8_t kAreaBlock = 16;
inline constexpr uint8_t kChannelBlock = ri::slot::kSize;
inline constexpr BlockRange kMapRange{ri::ChannelUsedMap.address, static_cast<int>(ri::ChannelUsedMap.end())};
inline constexpr BlockRange kFreqModeRange{ri::kFreqModeArea.first, ri::kFreqModeArea.last + 1};
inline constexpr BlockRange kSettingsRange{ri::kSettingsArea.first, ri::kSettingsArea.last + 1};
inline constexpr BlockRange kPasswordRange{kPasswordRecordAddress,
                                           static_cast<int>(kPasswordRecordAddress + kPasswordRecordSize)};
static_assert(kMapRange.start == 0x0000 && kMapRange.end == 0x0020);
static_assert(kFreqModeRange.start == 0xA000 && kFreqModeRange.end == 0xA060);
static_assert(kSettingsRange.start == 0xB000 && kSettingsRange.end == 0xB0AA);
static_assert(kPasswordRange.start == 0xC000 && kPasswordRange.end == 0xC010);

// The engine counts accepted bytes against the unit and moves the bar by 5 per
// unit, so the unit is a twentieth of roughly the bytes a run carries (6564
// for all 240 channels, 26 fewer for each unused one).
inline constexpr int kCodeplugProgressBytes = 6564;
inline constexpr int kCalibrationProgressBytes = static_cast<int>(cal::blk::kSize);
inline constexpr int kCalibrationEnd = static_cast<int>(cal::blk::kSize);
static_assert(cal::blk::kUnitSize == kAreaBlock && cal::blk::kRadioAddress == 0xF000);

int UnusedChannels(const std::function<bool(int)>& used)
{
    int unused = 0;
    for (int n = 1; n <= cp::kChannelCount; ++n)
        unused += used(n) ? 0 : 1;
    return unused;
}

int UnusedChannels(const CodeplugModel& model)
{
    return UnusedChannels([&](int n) { return model.IsChannelUsed(n); });
}

enum class Carry { Read, Write };

// Sends the block at BlockAddress, or asks for it, if it still starts inside
// the range.
bool CarryNextBlock(TransferEngine& engine, const BlockRange& range, Carry carry)
{
    if (engine.BlockAddress >= range.end)
        return false;
    if (carry == Carry::Write)
        engine.WriteData(engine.BlockAddress, kAreaBlock,
                         engine.image().at(static_cast<std::size_t>(engine.BlockAddress)));
    else
        engine.ReadData(engine.BlockAddress, kAreaBlock);
    return true;
}

void NextStage(TransferEngine& engine, int blockAddress)
{
    ++engine.OperationStage;
    engine.BlockAddress = blockAddress;
}

// The channel records go from channel 1 on.
void StartChannels(TransferEngine& engine)
{
    engine.ChannelIndex = 1;
    NextStage(engine, ri::kChannelArea.first);
}

// A stage that carries one range: true while one of its blocks is on its way,
// false once the range is done and the next stage starts at nextStart.
bool CarryRange(TransferEngine& engine, const BlockRange& range, int nextStart, Carry carry)
{
    if (CarryNextBlock(engine, range, carry))
        return true;
    NextStage(engine, nextStart);
    return false;
}

// Leaves ChannelIndex and BlockAddress on the slot of the next channel in use;
// false once past the last channel.
bool NextUsedChannel(TransferEngine& engine, const std::function<bool(int)>& used)
{
    for (; engine.ChannelIndex <= cp::kChannelCount; ++engine.ChannelIndex) {
        engine.BlockAddress = ChannelSlotAddress(engine.ChannelIndex);
        if (used(engine.ChannelIndex))
            return true;
    }
    return false;
}

} // namespace

uint16_t WriteProgressUnit(int unusedChannels)
{
    return static_cast<uint16_t>((kCodeplugProgressBytes - kChannelBlock * unusedChannels) / 20);
}

uint16_t AllWriteProgressUnit(int unusedChannels)
{
    return static_cast<uint16_t>(
        (kCodeplugProgressBytes + kCalibrationProgressBytes - kChannelBlock * unusedChannels) / 20);
}

void CodeplugWriteStages::run(TransferEngine& engine) const
{
    const CodeplugModel& model = engine.program().model;
    for (;;) {
        switch (engine.OperationStage - first_) {
        case 0:
            if (NextUsedChannel(engine, [&](int n) { return model.IsChannelUsed(n); })) {
                engine.WriteData(engine.BlockAddress, kChannelBlock,
                                 engine.image().at(static_cast<std::size_t>(engine.BlockAddress)));
                return;
            }
            NextStage(engine, kMapRange.start);
            break;
        case 1:
            if (CarryRange(engine, kMapRange, kFreqModeRange.start, Carry::Write))
                return;
            break;
        case 2:
            if (CarryRange(engine, kFreqModeRange, kSettingsRange.start, Carry::Write))
                return;
            break;
        case 3:
            if (CarryRange(engine, kSettingsRange, kPasswordRange.start, Carry::Write))
                return;
            break;
        case 4:
            if (model.get(cp::WriteWithNewPD) != 0 && CarryNextBlock(engine, kPasswordRange, Carry::Write))
                return;
            NextStage(engine, 0);
            break;
        default:
            engine.setProgress(100);
            engine.WriteEnding();
            return;
        }
    }
}

void Write::run(TransferEngine& engine)
{
    if (engine.OperationStage == 0) {
        engine.ProgressUnit = WriteProgressUnit(UnusedChannels(program_.model));
        GetDataForWrite(program_.model, program_.image);
        StartChannels(engine);
    }
    stages_.run(engine);
}

void AllWrite::run(TransferEngine& engine)
{
    if (engine.OperationStage == 0) {
        engine.ProgressUnit = AllWriteProgressUnit(UnusedChannels(program_.model));
        program_.calibration.GetAdjustmentData(calibrationImage_);
        NextStage(engine, 0);
    }
    if (engine.OperationStage == 1) {
        if (engine.BlockAddress < kCalibrationEnd) {
            engine.WriteData(cal::blk::kRadioAddress + engine.BlockAddress, kAreaBlock,
                             calibrationImage_.data() + engine.BlockAddress);
            return;
        }
        GetDataForWrite(program_.model, program_.image);
        StartChannels(engine);
    }
    stages_.run(engine);
}

void Read::run(TransferEngine& engine)
{
    const auto radioUses = [this](int n) { return (radioMap_[static_cast<std::size_t>(n / 8)] >> (n % 8)) & 1; };
    for (;;) {
        switch (engine.OperationStage) {
        case 0:
            engine.ProgressUnit = kReadMapProgressUnit;
            NextStage(engine, kMapRange.start);
            break;
        case 1:
            if (CarryNextBlock(engine, kMapRange, Carry::Read))
                return;
            std::memcpy(radioMap_.data(), program_.image.at(kMapRange.start), radioMap_.size());
            engine.ProgressUnit = WriteProgressUnit(UnusedChannels(radioUses));
            NextStage(engine, kFreqModeRange.start);
            break;
        case 2:
            if (CarryRange(engine, kFreqModeRange, kSettingsRange.start, Carry::Read))
                return;
            break;
        case 3:
            if (CarryNextBlock(engine, kSettingsRange, Carry::Read))
                return;
            StartChannels(engine);
            break;
        case 4:
            if (NextUsedChannel(engine, radioUses)) {
                engine.ReadData(engine.BlockAddress, kChannelBlock);
                return;
            }
            NextStage(engine, 0);
            break;
        default:
            engine.setProgress(100);
            engine.WriteEnding();
            return;
        }
    }
}

void Read::afterSuccess()
{
    SetDataToSoftware(program_.image, program_.model);
}

void RegisterCodeplugOperations(OperationRegistry& registry, Program& program)
{
    registry.add(op::Codeplug, kDirectionRead, [&program] { return std::make_unique<Read>(program); });
    registry.add(op::Codeplug, kDirectionWrite, [&program] { return std::make_unique<Write>(program); });
    registry.add(op::WriteAll, kDirectionWrite, [&program] { return std::make_unique<AllWrite>(program); });
}

} // namespace lt
