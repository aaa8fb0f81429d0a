#pragma once

#include "app/Program.h"
#include "codeplug/RadioImagePacking.h"
#include "tools/emulator/LoopbackHidBackend.h"
#include "tools/emulator/RadioEmulator.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/HidLink.h"
#include "transfer/TransferClock.h"
#include "transfer/TransferEngine.h"
#include "transfer/TransferEnvironment.h"

#include <QByteArray>

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace lt::test {

// A whole program side (model, image, link, engine environment) attached to an
// in-process radio emulator, all on a virtual clock.
struct EmulatorRig {
    VirtualClock clock;
    RadioEmulator emulator;
    LoopbackHidBackend backend{emulator, clock};
    HidLink link{backend};
    TransferEnvironment env{backend, link, clock};
    Program program;

    EmulatorRig()
    {
        program.settings.AutoSeachPort = false;
        RegisterCodeplugOperations(env.operations, program);
        link.HidCtlDeviceChange();
    }

    // Runs one operation headless to its end (or until limitMs of virtual time
    // have passed) and returns its outcome.
    std::optional<TransferOutcome> run(int32_t operation, int32_t direction, int64_t limitMs = 600000)
    {
        env.state.TransferOperation = operation;
        env.state.direction = direction;
        routine = env.operations.create(operation, direction);
        engine = std::make_unique<TransferEngine>(link, clock, env.state, program, *routine);
        engine->ProgramStartClick();
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
        bool operator==(const Block&) const = default;
    };
    // The block reads or writes sent, in order.
    std::vector<Block> sentBlocks(char tag) const
    {
        std::vector<Block> blocks;
        for (const QByteArray& m : sentMessages())
            if (m.size() >= 4 && m[0] == tag)
                blocks.push_back({tag, (uint8_t(m[1]) << 8) | uint8_t(m[2]), uint8_t(m[3])});
        return blocks;
    }

    std::unique_ptr<OperationRoutine> routine;
    std::unique_ptr<TransferEngine> engine;
};

// Everything of the program's codeplug that a transfer could change.
struct ModelSnapshot {
    explicit ModelSnapshot(const CodeplugModel& model)
        : bytes(model.block().begin(), model.block().end())
        , bands(model.bands)
        , lastWrite(model.LastWriteTime)
    {
    }
    bool operator==(const ModelSnapshot&) const = default;

    std::vector<uint8_t> bytes;
    BandLimits bands;
    ProgrammingTime lastWrite;
};

inline ProgrammingTime FixedTime()
{
    return ProgrammingTime{2022, 6, 18, 9, 5};
}

inline void FixedRandom(std::span<uint8_t> out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(0x5A + 7 * i);
}

// A codeplug with the given channels in use, each with its own frequencies and
// name, and a few settings away from their defaults.
inline void FillCodeplug(CodeplugModel& model, const std::vector<int>& channels)
{
    model.SetCodeplugDefaults();
    for (int n : channels) {
        model.SetChannelUsed(n, true);
        ChannelRecord ch = model.channel(n);
        ch.setRxFreq(static_cast<uint32_t>(136000000 + n * 12500));
        ch.setTxFreq(static_cast<uint32_t>(400000000 + n * 25000));
        ch.setRxTone(static_cast<uint16_t>(n), static_cast<uint8_t>(n % 3));
        ch.setTxTone(static_cast<uint16_t>(1000 + n), static_cast<uint8_t>((n + 1) % 3));
        ch.setChInfor_Pow(static_cast<uint8_t>(n & 1));
        ch.setChName(QByteArray("CH") + QByteArray::number(n));
    }
    model.set(cp::SQL, 7);
    model.setText(cp::PowerOnMsg, "HELLO");
    model.bands.VBandMin = 137000000;
}

inline std::vector<int> AllChannels()
{
    std::vector<int> all;
    for (int n = 1; n <= cp::kChannelCount; ++n)
        all.push_back(n);
    return all;
}

} // namespace lt::test
