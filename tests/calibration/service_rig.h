#pragma once

#include "app/MessageDialogs.h"
#include "app/ModalSeam.h"
#include "app/Program.h"
#include "calibration/ServiceOperations.h"
#include "tools/emulator/LoopbackHidBackend.h"
#include "tools/emulator/RadioEmulator.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/HidLink.h"
#include "transfer/TProgramDialog.h"
#include "transfer/TransferClock.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferEnvironment.h"

#include <QByteArray>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace lt::test {

inline void FixedScramble(std::span<uint8_t> out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(0x3C + 11 * i);
}

// The program side (records, link, transfer environment with every routine)
// attached to an in-process radio emulator, all on a virtual clock.
struct ServiceRig {
    VirtualClock clock;
    RadioEmulator emulator;
    LoopbackHidBackend backend{emulator, clock};
    HidLink link{backend};
    TransferEnvironment env{backend, link, clock};
    Program program;
    std::unique_ptr<OperationRoutine> routine;
    std::unique_ptr<TransferEngine> engine;

    ServiceRig()
    {
        program.settings.AutoSeachPort = false;
        RegisterCodeplugOperations(env.operations, program);
        RegisterServiceOperations(env.operations, program, FixedScramble);
        link.HidCtlDeviceChange();
    }

    // Starts one run headless; the test then moves the clock.
    void start(int32_t operation, int32_t direction)
    {
        env.state.TransferOperation = operation;
        env.state.direction = direction;
        routine = env.operations.create(operation, direction);
        engine = std::make_unique<TransferEngine>(link, clock, env.state, program, *routine);
        engine->ProgramStartClick();
    }

    // Runs one operation to its end (or limitMs of virtual time).
    std::optional<TransferOutcome> run(int32_t operation, int32_t direction, int64_t limitMs = 600000)
    {
        start(operation, direction);
        clock.advanceUntil([&] { return engine->outcome().has_value(); }, limitMs);
        return engine->outcome();
    }

    // The messages the program sent, in order (each fits one report here).
    std::vector<QByteArray> sentMessages() const
    {
        std::vector<QByteArray> messages;
        for (const QByteArray& report : backend.writtenReports)
            messages.push_back(report.mid(1));
        return messages;
    }

    struct Block {
        char tag;
        int address;
        int length;
        QByteArray data; // block writes only
        bool operator==(const Block&) const = default;
    };
    // The block reads or block writes sent, in order.
    std::vector<Block> sentBlocks(char tag) const
    {
        std::vector<Block> blocks;
        for (const QByteArray& m : sentMessages()) {
            if (m.size() < 4 || m[0] != tag)
                continue;
            const int length = static_cast<uint8_t>(m[3]);
            blocks.push_back({tag, (static_cast<uint8_t>(m[1]) << 8) | static_cast<uint8_t>(m[2]), length,
                              tag == 'W' ? m.mid(4, length) : QByteArray()});
        }
        return blocks;
    }

    QByteArray memory(int address, int length) const
    {
        return QByteArray(reinterpret_cast<const char*>(emulator.memory.data()) + address, length);
    }
};

// Plays the user in front of the transfer dialog a command opens: presses Start,
// lets virtual time run until the run has ended and dismisses the outcome
// message, which it records.
class TransferDialogPlayer {
public:
    explicit TransferDialogPlayer(VirtualClock& clock) : clock_(clock), guard_(handlers()) {}

    QStringList messages;
    QStringList titles;
    QStringList errors;

private:
    ModalHandlers handlers()
    {
        ModalHandlers h;
        h.dialog = [this](QDialog& dialog) {
            if (auto* transfer = qobject_cast<TProgramDialog*>(&dialog)) {
                titles << transfer->windowTitle();
                transfer->HidCtlDeviceChange();
                QTest::mouseClick(transfer->ProgramStart, Qt::LeftButton);
                clock_.advanceUntil([transfer] { return transfer->engine().outcome().has_value(); }, 600000);
                return transfer->result();
            }
            messages << MessageOf(dialog);
            return static_cast<int>(mrOK);
        };
        h.errorReport = [this](const QString& text) { errors << text; };
        return h;
    }

    VirtualClock& clock_;
    ModalHandlersGuard guard_;
};

} // namespace lt::test
