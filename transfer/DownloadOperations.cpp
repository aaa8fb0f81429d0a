#include "transfer/DownloadOperations.h"

#include "codeplug/LittleEndian.h"
#include "hid/HidLink.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferState.h"

namespace lt {

namespace {

constexpr int kProgressSteps = 20;

QByteArray AsMessage(const std::array<uint8_t, 8>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

void NextStage(TransferEngine& engine)
{
    ++engine.OperationStage;
    engine.BlockAddress = 0;
}

} // namespace

void ShortDownloadProgress::reset(int32_t blocks)
{
    blocks_ = blocks;
    counted_ = 0;
}

void ShortDownloadProgress::account(TransferEngine& engine)
{
    if (engine.ProgressUnit != 0 || blocks_ <= 0)
        return;
    for (; counted_ < engine.BlockAddress && counted_ < blocks_; ++counted_)
        engine.advanceProgress(100 / blocks_);
}

void DownloadRoutine::close()
{
    source_.close();
}

void DownloadRoutine::expectAck(TransferEngine& engine)
{
    engine.ExpectedReplyLength = 1;
    engine.BlockLength = 1;
}

void DownloadRoutine::startBlocks(TransferEngine& engine, int32_t blockSize)
{
    engine.state().direction = kDirectionWrite;
    blocks_ = BlockCount(source_.length, blockSize);
    engine.ProgressUnit = static_cast<uint16_t>(blocks_ / kProgressSteps);
    progress_.reset(blocks_);
    prepared_ = -1;
    NextStage(engine);
    engine.waitWithinTick(kSettleMs);
}

bool DownloadRoutine::sendNextBlock(TransferEngine& engine)
{
    progress_.account(engine);
    if (engine.BlockAddress >= blocks_)
        return false;
    // A block the radio did not take is sent again as it was, not read anew.
    if (engine.BlockAddress != prepared_) {
        prepareBlock(engine.BlockAddress);
        prepared_ = engine.BlockAddress;
    }
    sendBlock(engine);
    return true;
}

QByteArray DL_Write::linkRequest() const
{
    return AsMessage(dl::kLinkRequest);
}

void DL_Write::run(TransferEngine& engine)
{
    for (;;) {
        switch (engine.OperationStage) {
        case 0:
            packet_.fill(0);
            startBlocks(engine, static_cast<int32_t>(dl::kPageSize));
            return;
        case 1:
            if (sendNextBlock(engine))
                return;
            NextStage(engine);
            break;
        default:
            engine.setProgress(100);
            engine.SuccessEnding();
            return;
        }
    }
}

void DL_Write::prepareBlock(int32_t block)
{
    packet_[dl::kPacketFlag] = source_.fileChosen;
    le::put16(packet_.data() + dl::kPacketPage, dl::PageNumber(source_.DataOffset_DL, block));
    reader_.readNext(source_.file);
}

void DL_Write::sendBlock(TransferEngine& engine)
{
    expectAck(engine);
    dl::SealPacket(packet_);
    const dl::DownloadFrame frame = dl::EncodeDownloadFrame(packet_);
    engine.link().Agr_HidWrite(frame.data(), static_cast<uint16_t>(frame.size()));
}

QByteArray UpdateMcu_Write::linkRequest() const
{
    return AsMessage(fw::kLinkRequest);
}

void UpdateMcu_Write::run(TransferEngine& engine)
{
    for (;;) {
        switch (engine.OperationStage) {
        case 0:
            block_.fill(0);
            startBlocks(engine, fw::kBlockSize);
            return;
        case 1:
            if (sendNextBlock(engine))
                return;
            NextStage(engine);
            break;
        case 2:
            // The first end command's acknowledgement moves the index to 1.
            if (engine.BlockAddress == 0) {
                WriteData_UpdateMcu(engine, fw::kEndFirst.data(), static_cast<uint16_t>(fw::kEndFirst.size()));
                return;
            }
            NextStage(engine);
            break;
        default:
            WriteData_UpdateMcu(engine, fw::kEndSecond.data(), static_cast<uint16_t>(fw::kEndSecond.size()));
            engine.setProgress(100);
            engine.SuccessEnding();
            return;
        }
    }
}

void UpdateMcu_Write::prepareBlock(int32_t)
{
    reader_.readNext(source_.file);
}

void UpdateMcu_Write::sendBlock(TransferEngine& engine)
{
    WriteData_UpdateMcu(engine, block_.data(), static_cast<uint16_t>(block_.size()));
}

void UpdateMcu_Write::WriteData_UpdateMcu(TransferEngine& engine, const uint8_t* data, uint16_t length)
{
    expectAck(engine);
    engine.link().Agr_HidWrite(data, length);
}

void RegisterDownloadOperations(OperationRegistry& registry, std::shared_ptr<DownloadSource> source)
{
    registry.add(op::DataDownload, kDirectionWrite, [source] { return std::make_unique<DL_Write>(*source); });
    registry.add(op::FirmwareUpdate, kDirectionWrite, [source] { return std::make_unique<UpdateMcu_Write>(*source); });
}

} // namespace lt
