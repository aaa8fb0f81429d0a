#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace lt {

class TransferEngine;

// One kind of exchange with the radio (a codeplug read, a calibration write,
// a download, ...). The engine runs the link and password steps itself and
// calls run() once per transmit tick in the block step; run() either sends
// exactly one message and returns, or moves on to its next stage, and its last
// stage ends the run through one of the engine's endings.
class OperationRoutine {
public:
    virtual ~OperationRoutine() = default;

    virtual void run(TransferEngine& engine) = 0;

    // Stores what the run read into the program's records; called only after a
    // successful run, once the user has dismissed the success message.
    virtual void afterSuccess() {}
    // Called at every run ending, also when the dialog is closed mid-run
    // (a download closes its file here).
    virtual void close() {}

    // The link request the engine sends in the link step.
    virtual QByteArray linkRequest() const { return QByteArray("PROGR81\xFF", 8); }
    // Downloads go straight from the link step to the block step.
    virtual bool skipsPassword() const { return false; }
    // The firmware update keeps resending a block the radio did not acknowledge
    // instead of giving up.
    virtual bool ignoresRejectedWrite() const { return false; }

    // The status readout has no link request: run() is called in the link step
    // in its place, and linkReply() examines every receive tick there.
    virtual bool drivesLinkStep() const { return false; }
    virtual void linkReply(TransferEngine&) {}
};

using OperationFactory = std::function<std::unique_ptr<OperationRoutine>()>;

// Which routine serves which (TransferOperation, direction). Each group of
// operations registers its routines once at start-up, so new operations plug
// in without touching the engine.
class OperationRegistry {
public:
    void add(int32_t operation, int32_t direction, OperationFactory factory)
    {
        factories_[{operation, direction}] = std::move(factory);
    }
    bool contains(int32_t operation, int32_t direction) const
    {
        return factories_.contains({operation, direction});
    }
    // A fresh routine for one run, or null when none is registered.
    std::unique_ptr<OperationRoutine> create(int32_t operation, int32_t direction) const
    {
        const auto it = factories_.find({operation, direction});
        return it == factories_.end() ? nullptr : it->second();
    }

private:
    std::map<std::pair<int32_t, int32_t>, OperationFactory> factories_;
};

} // namespace lt
