#include "support/RadioRig.h"

#include "transfer/CodeplugOperations.h"
#include "transfer/ServiceOperations.h"

#include <gtest/gtest.h>

#include <span>

namespace lt::test {

namespace {

// The service routines' random bytes, fixed so that what they send can be
// compared byte for byte.
void FixedScramble(std::span<uint8_t> out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(0x3C + 11 * i);
}

} // namespace

RadioRig::RadioRig()
{
    program.settings.AutoSeachPort = false;
    RegisterCodeplugOperations(env.operations, program);
    RegisterServiceOperations(env.operations, program, FixedScramble);
    link.HidCtlDeviceChange();
}

RadioRig::~RadioRig()
{
    EXPECT_TRUE(emulator.refusals().isEmpty()) << emulator.refusals().join(QLatin1Char('\n')).toStdString();
}

void RadioRig::start(int32_t operation, int32_t direction)
{
    env.state.TransferOperation = operation;
    env.state.direction = direction;
    routine = env.operations.create(operation, direction);
    engine = std::make_unique<TransferEngine>(link, clock, env.state, program, *routine);
    engine->ProgramStartClick();
}

std::optional<TransferOutcome> RadioRig::run(int32_t operation, int32_t direction, int64_t limitMs)
{
    start(operation, direction);
    clock.advanceUntil([&] { return engine->outcome().has_value(); }, limitMs);
    return engine->outcome();
}

std::vector<QByteArray> RadioRig::sentMessages() const
{
    std::vector<QByteArray> messages;
    QByteArray pending;
    for (const QByteArray& report : backend.writtenReports) {
        const QByteArray payload = report.mid(1);
        if (static_cast<uint8_t>(payload[0]) != HidLink::kChunkTag) {
            messages.push_back(payload);
            continue;
        }
        const int count = static_cast<uint8_t>(payload[1]);
        const int index = static_cast<uint8_t>(payload[2]);
        if (index == 0)
            pending.clear();
        pending += payload.mid(3, HidLink::kChunkPayload);
        if (index + 1 == count)
            messages.push_back(pending);
    }
    return messages;
}

std::vector<QByteArray> RadioRig::sentAfterLinkRequest() const
{
    std::vector<QByteArray> messages = sentMessages();
    if (!messages.empty())
        messages.erase(messages.begin());
    return messages;
}

std::vector<RadioRig::Block> RadioRig::sentBlocks(char tag) const
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

QByteArray RadioRig::memory(int address, int length) const
{
    return QByteArray(reinterpret_cast<const char*>(emulator.memory.data()) + address, length);
}

} // namespace lt::test
