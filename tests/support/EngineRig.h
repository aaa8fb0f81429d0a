#pragma once

#include "codeplug/RadioImagePacking.h"
#include "support/RadioRig.h"
#include "transfer/CodeplugOperations.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace lt::test {

// The transfer tests pin down where the blocks go, not what they carry.
struct EmulatorRig : RadioRig {
    struct Block {
        char tag;
        int address;
        int length;
        bool operator==(const Block&) const = default;
    };
    std::vector<Block> sentBlocks(char tag) const
    {
        std::vector<Block> blocks;
        for (const RadioRig::Block& b : RadioRig::sentBlocks(tag))
            blocks.push_back({b.tag, b.address, b.length});
        return blocks;
    }
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

// The radio holds a codeplug with the given channels in use, packed as a write
// of it leaves it; returns that image.
inline RadioImage LoadRadio(RadioEmulator& emulator, const std::vector<int>& channels)
{
    CodeplugModel model;
    FillCodeplug(model, channels);
    RadioImage image;
    GetDataForWrite(model, image, FixedTime, FixedRandom);
    std::copy(image.bytes.begin(), image.bytes.end(), emulator.memory.begin());
    return image;
}

inline std::vector<int> AllChannels()
{
    std::vector<int> all;
    for (int n = 1; n <= cp::kChannelCount; ++n)
        all.push_back(n);
    return all;
}

} // namespace lt::test
