#pragma once

#include "transfer/DownloadFirmware.h"
#include "transfer/DownloadFrame.h"
#include "transfer/DownloadSource.h"
#include "transfer/OperationRoutine.h"

#include <array>
#include <cstdint>
#include <memory>

namespace lt {

class OperationRegistry;
class TransferEngine;

// Moves the bar of a download too short for the engine's steps of 5 (fewer
// than 20 blocks, so ProgressUnit is 0): 100 / blocks for every accepted block,
// so the bar never stalls.
class ShortDownloadProgress {
public:
    void reset(int32_t blocks);
    void account(TransferEngine& engine);

private:
    int32_t blocks_ = 0;
    int32_t counted_ = 0;
};

// Shared by both downloads: the file is closed at every ending, and the first
// block goes out a moment after the link reply, once the radio has switched
// into its download mode.
class DownloadRoutine : public OperationRoutine {
public:
    explicit DownloadRoutine(DownloadSource& source) : source_(source) {}

    void close() override;
    bool skipsPassword() const override { return true; }

protected:
    static constexpr int kSettleMs = 10;
    // Every download message is acknowledged with one byte and counts as one block.
    static void expectAck(TransferEngine& engine);
    // Stage 0 of both downloads: the file counted in blocks of blockSize, then
    // the pause before the first block, within the same transmit tick.
    void startBlocks(TransferEngine& engine, int32_t blockSize);
    // The block stage of both downloads: false once every block is acknowledged.
    bool sendNextBlock(TransferEngine& engine);
    // Fills the outgoing block with the file's next stretch.
    virtual void prepareBlock(int32_t block) = 0;
    virtual void sendBlock(TransferEngine& engine) = 0;

    DownloadSource& source_;
    ShortDownloadProgress progress_;

private:
    int32_t blocks_ = 0;
    int32_t prepared_ = -1;
};

// TransferOperation 11: the file as pages of the radio's data memory, one
// DownloadFrame per page.
class DL_Write : public DownloadRoutine {
public:
    using DownloadRoutine::DownloadRoutine;
    void run(TransferEngine& engine) override;
    QByteArray linkRequest() const override;

private:
    void prepareBlock(int32_t block) override;
    void sendBlock(TransferEngine& engine) override;

    dl::DownloadPacket packet_{};
    DownloadBlockReader reader_{std::span(packet_).subspan<dl::kPacketData, dl::kPageSize>()};
};

// TransferOperation 12: the file in 160-byte blocks, then the two end
// commands. A block the radio does not acknowledge is sent again.
class UpdateMcu_Write : public DownloadRoutine {
public:
    using DownloadRoutine::DownloadRoutine;
    void run(TransferEngine& engine) override;
    QByteArray linkRequest() const override;
    bool ignoresRejectedWrite() const override { return true; }

private:
    void prepareBlock(int32_t block) override;
    void sendBlock(TransferEngine& engine) override;
    void WriteData_UpdateMcu(TransferEngine& engine, const uint8_t* data, uint16_t length);

    std::array<uint8_t, fw::kBlockSize> block_{};
    DownloadBlockReader reader_{block_};
};

// Registers DL_Write and UpdateMcu_Write; both read the file of source, which
// the registry keeps alive.
void RegisterDownloadOperations(OperationRegistry& registry, std::shared_ptr<DownloadSource> source);

} // namespace lt
