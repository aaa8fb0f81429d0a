#pragma once

#include "hid/TransferClock.h"
#include "transfer/OperationRoutine.h"
#include "transfer/TransferState.h"

#include <QMetaObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace lt {

class HidLink;
struct Program;
struct RadioImage;

enum class TransferOutcome {
    Success,
    CommunicationFailure,
    PasswordError,
    Closed, // the dialog was closed mid-run: no end marker, no message
};

// The request/reply protocol of one run with the radio: a link step, a password
// step and a block step driven by a transmit, a receive-poll and an inactivity
// timer. It knows no widgets; the transfer dialog (or a command-line tool) shows
// progress and the outcome through the callbacks.
class TransferEngine {
public:
    static constexpr uint8_t kStepLink = 0;
    static constexpr uint8_t kStepPassword = 3;
    static constexpr uint8_t kStepBlocks = 4;

    static constexpr int kFirstTxMs = 100;
    static constexpr int kTxMs = 1000;
    static constexpr int kRxAfterTxMs = 10;
    static constexpr int kRxAfterRxMs = 3;
    static constexpr int kFirstTimeoutMs = 6000;
    static constexpr int kTimeoutMs = 5000;
    static constexpr int kEndMarkerWaitMs = 10;
    static constexpr int kAutoSearchRequests = 3;

    static constexpr uint8_t kTagLinkAccepted = 'S';
    static constexpr uint8_t kTagRead = 'R';
    static constexpr uint8_t kTagWrite = 'W';
    static constexpr uint8_t kTagAck = 0x06;
    static constexpr uint8_t kTagEnd = 'E';
    static constexpr int kBlockHeader = 4; // tag, address high, address low, length

    static constexpr int kPasswordAddress = 0xC000;
    static constexpr int kPasswordBlock = 16;
    static constexpr int kPasswordBlocksEnd = 32;

    TransferEngine(HidLink& link, TransferClock& clock, TransferState& state, Program& program,
                   OperationRoutine& routine);
    ~TransferEngine();
    TransferEngine(const TransferEngine&) = delete;
    TransferEngine& operator=(const TransferEngine&) = delete;

    // Progress bar value 0..100 whenever it changes.
    std::function<void(int)> onProgress;
    // The run has ended and every timer is stopped; the dialog shows the outcome
    // text here. A successful routine stores its data after this returns.
    std::function<void(TransferOutcome)> onEnded;

    void ProgramStartClick();
    void Timer_TxTimer();
    void Timer_RxTimer();
    void Timer_TimeOutTimer();
    void Agr_WriteReq_1();
    void Agr_WriteReq_4();
    void ReadData(int address, uint8_t length);
    void WriteData(int address, uint8_t length, const uint8_t* data);
    // Ends the current transmit tick without sending; it goes on after ms
    // and calls the routine again. Neither poll timer runs meanwhile, so what
    // arrives in the wait is judged by no one and dropped once the tick has
    // sent its message.
    void waitWithinTick(int ms);

    // The endings: with end marker (codeplug, calibration, password, customer
    // ID), without it (status readout, downloads), password failure.
    void WriteEnding();
    void SuccessEnding();
    void Agr_PasswordError();
    void Agr_Close();
    void FormClose();

    void setProgress(int value);
    void advanceProgress(int steps);
    int progress() const { return progress_; }

    // Started and not yet ended (also while the end marker settles).
    bool running() const { return phase_ == Phase::Running || phase_ == Phase::Ending; }
    std::optional<TransferOutcome> outcome() const { return outcome_; }
    bool anyTimerActive() const;

    HidLink& link() { return link_; }
    TransferClock& clock() { return clock_; }
    TransferState& state() { return state_; }
    Program& program() { return program_; }
    RadioImage& image();

    // Run state, shared with the operation routines.
    uint8_t TransferStep = kStepLink;
    int32_t OperationStage = 0;
    int32_t BlockAddress = 0;
    uint16_t ChannelIndex = 0;
    uint16_t ProgressUnit = 0;
    int32_t ProgressCount = 0;
    uint8_t ExpectedReplyLength = 0;
    uint8_t BlockLength = 0;
    uint8_t RequestRepeat = 0;

private:
    enum class Phase { Ready, Running, Ending, Ended };

    bool linkStepSend();
    void reportArrived();
    void examineReply();
    void examineLinkReply(int held);
    void examinePasswordReply(int held);
    void examineBlockReply(int held);
    bool storeReadReply(int held);
    void acceptReply();
    void stopTimers();
    void finish(TransferOutcome outcome);
    int bytesHeld() const;

    HidLink& link_;
    TransferClock& clock_;
    TransferState& state_;
    Program& program_;
    OperationRoutine& routine_;
    std::unique_ptr<TransferTimer> Timer_Tx;
    std::unique_ptr<TransferTimer> Timer_Rx;
    std::unique_ptr<TransferTimer> Timer_TimeOut;
    Phase phase_ = Phase::Ready;
    std::optional<TransferOutcome> outcome_;
    int progress_ = 0;
    bool waitingWithinTick_ = false;
    QMetaObject::Connection arrivals_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace lt
