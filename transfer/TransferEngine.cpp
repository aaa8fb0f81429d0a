#include "transfer/TransferEngine.h"

#include "codeplug/PasswordRecord.h"
#include "hid/HidLink.h"
#include "program/Program.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace lt {

TransferEngine::TransferEngine(HidLink& link, TransferClock& clock, TransferState& state, Program& program,
                               OperationRoutine& routine)
    : link_(link)
    , clock_(clock)
    , state_(state)
    , program_(program)
    , routine_(routine)
    , Timer_Tx(clock.createTimer())
    , Timer_Rx(clock.createTimer())
    , Timer_TimeOut(clock.createTimer())
{
    Timer_Tx->onTimeout = [this] { Timer_TxTimer(); };
    Timer_Rx->onTimeout = [this] { Timer_RxTimer(); };
    Timer_TimeOut->onTimeout = [this] { Timer_TimeOutTimer(); };
    arrivals_ = QObject::connect(&link_, &HidLink::reportReceived, [this] { reportArrived(); });
}

TransferEngine::~TransferEngine()
{
    *alive_ = false;
    QObject::disconnect(arrivals_);
    stopTimers();
}

RadioImage& TransferEngine::image()
{
    return program_.image;
}

bool TransferEngine::anyTimerActive() const
{
    return Timer_Tx->isActive() || Timer_Rx->isActive() || Timer_TimeOut->isActive();
}

void TransferEngine::stopTimers()
{
    Timer_Tx->stop();
    Timer_Rx->stop();
    Timer_TimeOut->stop();
}

int TransferEngine::bytesHeld() const
{
    return std::clamp<int>(link_.ReceiveCount, 0, static_cast<int>(HidLink::kReceiveBufferSize));
}

void TransferEngine::setProgress(int value)
{
    progress_ = std::clamp(value, 0, 100);
    if (onProgress)
        onProgress(progress_);
}

void TransferEngine::advanceProgress(int steps)
{
    setProgress(progress_ + steps);
}

void TransferEngine::ProgramStartClick()
{
    if (phase_ != Phase::Ready)
        return;
    if (!link_.hasRadio()) {
        Timer_TimeOutTimer();
        return;
    }
    stopTimers();
    link_.ReceiveCount = 0;
    OperationStage = 0;
    BlockAddress = 0;
    TransferStep = kStepLink;
    ProgressCount = 0;
    RequestRepeat = 0;
    setProgress(0);
    phase_ = Phase::Running;
    Timer_TimeOut->start(kFirstTimeoutMs);
    Timer_Rx->start(kRxAfterTxMs);
    Timer_Tx->start(kFirstTxMs);
}

void TransferEngine::Timer_TxTimer()
{
    if (phase_ != Phase::Running)
        return;
    Timer_Tx->stop();
    Timer_Rx->stop();

    bool rearm = true;
    switch (TransferStep) {
    case kStepLink:
        rearm = linkStepSend();
        break;
    case kStepPassword:
        Agr_WriteReq_4();
        break;
    case kStepBlocks:
        routine_.run(*this);
        break;
    default:
        break;
    }
    if (phase_ != Phase::Running || waitingWithinTick_)
        return;

    // A unit of 0 (a very short download) would never use up the count.
    while (ProgressUnit > 0 && ProgressCount > ProgressUnit) {
        ProgressCount -= ProgressUnit;
        advanceProgress(5);
    }
    link_.ReceiveCount = 0;
    if (rearm) {
        Timer_Tx->start(kTxMs);
        Timer_Rx->start(kRxAfterTxMs);
    }
}

// With auto-search the request goes out three times per pass; after a pass
// without a reply the run waits for the timeout, or gives up at once when as
// many passes have failed as serial ports were found at start-up.
bool TransferEngine::linkStepSend()
{
    if (!program_.settings.AutoSeachPort) {
        Agr_WriteReq_1();
        return true;
    }
    if (RequestRepeat < kAutoSearchRequests) {
        Agr_WriteReq_1();
        ++RequestRepeat;
        return true;
    }
    RequestRepeat = 0;
    ++state_.searchPassCount;
    if (state_.searchPassCount >= program_.settings.SerialPortCount)
        Timer_TimeOutTimer();
    return false;
}

void TransferEngine::Agr_WriteReq_1()
{
    if (routine_.drivesLinkStep()) {
        routine_.run(*this);
        return;
    }
    const QByteArray request = routine_.linkRequest();
    link_.Agr_HidWrite(reinterpret_cast<const uint8_t*>(request.constData()), static_cast<uint16_t>(request.size()));
}

void TransferEngine::Agr_WriteReq_4()
{
    ReadData(kPasswordAddress + BlockAddress, kPasswordBlock);
}

void TransferEngine::ReadData(int address, uint8_t length)
{
    ExpectedReplyLength = static_cast<uint8_t>(length + kBlockHeader);
    BlockLength = length;
    const uint8_t message[kBlockHeader] = {kTagRead, static_cast<uint8_t>(address >> 8),
                                           static_cast<uint8_t>(address & 0xFF), length};
    link_.Agr_HidWrite(message, kBlockHeader);
}

void TransferEngine::WriteData(int address, uint8_t length, const uint8_t* data)
{
    ExpectedReplyLength = 1;
    BlockLength = length;
    uint8_t message[kBlockHeader + 255];
    message[0] = kTagWrite;
    message[1] = static_cast<uint8_t>(address >> 8);
    message[2] = static_cast<uint8_t>(address & 0xFF);
    message[3] = length;
    std::memcpy(message + kBlockHeader, data, length);
    link_.Agr_HidWrite(message, static_cast<uint16_t>(kBlockHeader + length));
}

void TransferEngine::waitWithinTick(int ms)
{
    waitingWithinTick_ = true;
    clock_.callLater(ms, [this, alive = alive_] {
        if (!*alive || phase_ != Phase::Running)
            return;
        waitingWithinTick_ = false;
        Timer_TxTimer();
    });
}

void TransferEngine::Timer_RxTimer()
{
    if (phase_ != Phase::Running)
        return;
    if (link_.hasRadio() && link_.radioOpenReadWrite())
        link_.attachReceiveHandler();
    examineReply();
    if (phase_ == Phase::Running && !waitingWithinTick_)
        Timer_Rx->start(kRxAfterRxMs);
}

// A reply is judged the moment its report arrives rather than at the next
// poll, which would add up to a poll interval to every exchange. Only while
// the poll runs: when it is stopped, nothing may be judged.
void TransferEngine::reportArrived()
{
    if (phase_ == Phase::Running && Timer_Rx->isActive())
        examineReply();
}

void TransferEngine::examineReply()
{
    const int held = bytesHeld();
    switch (TransferStep) {
    case kStepLink:
        examineLinkReply(held);
        break;
    case kStepPassword:
        examinePasswordReply(held);
        break;
    case kStepBlocks:
        examineBlockReply(held);
        break;
    default:
        break;
    }
}

void TransferEngine::examineLinkReply(int held)
{
    if (routine_.drivesLinkStep()) {
        routine_.linkReply(*this);
        return;
    }
    if (held < 1)
        return;
    if (link_.ReceiveBuffer[0] == kTagLinkAccepted) {
        TransferStep = routine_.skipsPassword() ? kStepBlocks : kStepPassword;
        OperationStage = 0;
        BlockAddress = 0;
        advanceProgress(1);
        acceptReply();
        return;
    }
    if (!program_.settings.AutoSeachPort) {
        Timer_TimeOutTimer();
        return;
    }
    ++state_.searchPassCount;
    if (state_.searchPassCount >= program_.settings.SerialPortCount)
        Timer_TimeOutTimer();
}

void TransferEngine::examinePasswordReply(int held)
{
    if (held < kPasswordBlock + kBlockHeader)
        return;
    if (link_.ReceiveBuffer[0] != kTagWrite || !storeReadReply(held)) {
        Timer_TimeOutTimer();
        return;
    }
    BlockAddress += kPasswordBlock;
    if (BlockAddress < kPasswordBlocksEnd) {
        acceptReply();
        return;
    }
    const std::span<const uint8_t, kPasswordRecordSize> record(image().at(0), kPasswordRecordSize);
    if (!CheckPasswordRecord(record, program_.model.text(cp::EnteredPassword))) {
        Agr_PasswordError();
        return;
    }
    OperationStage = 0;
    BlockAddress = 0;
    ProgressCount = 0;
    TransferStep = kStepBlocks;
    acceptReply();
}

void TransferEngine::examineBlockReply(int held)
{
    if (held < ExpectedReplyLength)
        return;
    if (state_.direction == kDirectionWrite) {
        if (link_.ReceiveBuffer[0] != kTagAck) {
            // The firmware update leaves the buffer alone: the next transmit
            // tick clears it and sends the same block again.
            if (!routine_.ignoresRejectedWrite())
                Timer_TimeOutTimer();
            return;
        }
    } else if (link_.ReceiveBuffer[0] != kTagWrite || !storeReadReply(held)) {
        Timer_TimeOutTimer();
        return;
    }
    BlockAddress += BlockLength;
    ProgressCount += BlockLength;
    ++ChannelIndex;
    acceptReply();
}

// A length byte that claims more data than the buffer holds (or than fits the
// image at the block's address) marks a reply as wrong: nothing stale or out of
// bounds is ever copied.
bool TransferEngine::storeReadReply(int held)
{
    const int length = link_.ReceiveBuffer[3];
    if (kBlockHeader + length > held || BlockAddress < 0
        || BlockAddress + length > static_cast<int>(RadioImage::kSize))
        return false;
    std::memcpy(image().at(static_cast<std::size_t>(BlockAddress)), link_.ReceiveBuffer.data() + kBlockHeader,
                static_cast<std::size_t>(length));
    return true;
}

void TransferEngine::acceptReply()
{
    Timer_TimeOut->stop();
    Timer_TimeOut->start(kTimeoutMs);
    Timer_TxTimer();
    link_.ReceiveCount = 0;
}

void TransferEngine::WriteEnding()
{
    if (phase_ != Phase::Running)
        return;
    const uint8_t endMarker = kTagEnd;
    link_.Agr_HidWrite(&endMarker, 1);
    // Give the radio a moment with the end marker before the dialog goes.
    phase_ = Phase::Ending;
    stopTimers();
    clock_.callLater(kEndMarkerWaitMs, [this, alive = alive_] {
        if (*alive && phase_ == Phase::Ending)
            finish(TransferOutcome::Success);
    });
}

void TransferEngine::SuccessEnding()
{
    finish(TransferOutcome::Success);
}

void TransferEngine::Agr_PasswordError()
{
    const uint8_t endMarker = kTagEnd;
    link_.Agr_HidWrite(&endMarker, 1);
    finish(TransferOutcome::PasswordError);
}

void TransferEngine::Timer_TimeOutTimer()
{
    finish(TransferOutcome::CommunicationFailure);
}

void TransferEngine::Agr_Close()
{
    stopTimers();
    routine_.close();
}

void TransferEngine::finish(TransferOutcome outcome)
{
    if (phase_ == Phase::Ended)
        return;
    Agr_Close();
    phase_ = Phase::Ended;
    outcome_ = outcome;
    if (onEnded)
        onEnded(outcome);
    if (outcome == TransferOutcome::Success)
        routine_.afterSuccess();
}

void TransferEngine::FormClose()
{
    if (phase_ == Phase::Ended)
        return;
    if (phase_ == Phase::Ready) {
        Agr_Close();
        phase_ = Phase::Ended;
        return;
    }
    finish(TransferOutcome::Closed);
}

} // namespace lt
