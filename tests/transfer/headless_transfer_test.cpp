#include "support/EngineRig.h"

#include "transfer/HeadlessTransfer.h"

#include <gtest/gtest.h>

namespace lt::test {
namespace {

// A run without a window claims the devices for as long as it lasts, like
// the transfer dialog: afterwards the radio is free for other programs.
TEST(HeadlessTransfer, HoldsTheDevicesOnlyWhileItLasts)
{
    EmulatorRig rig;
    LoadRadio(rig.emulator, {1, 2});
    rig.link.releaseDevices();
    {
        HeadlessTransfer transfer(rig.env, VirtualClockWait(rig.clock));
        int openDuringRun = 0;
        transfer.onProgress = [&](int) { openDuringRun = rig.backend.openDevices(); };
        EXPECT_EQ(transfer.run(rig.program, op::Codeplug, kDirectionRead), RunResult::Success);
        EXPECT_EQ(openDuringRun, 1);
    }
    EXPECT_EQ(rig.backend.openDevices(), 0);
    EXPECT_FALSE(rig.link.hasRadio());
    rig.backend.sendUnasked("S");
    EXPECT_EQ(rig.link.ReceiveCount, 0);
}

} // namespace
} // namespace lt::test
