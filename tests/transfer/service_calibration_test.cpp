#include "calibration/CalibrationData.h"
#include "calibration/CalibrationLayout.h"
#include "support/RadioRig.h"
#include "transfer/TransferState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace lt::test {
namespace {

// Every byte of the stored layout set from a pattern, so any field taken from
// the wrong place shows up.
CalibrationData Patterned(int multiplier, int offset)
{
    CalibrationData data;
    auto bytes = data.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * multiplier + offset);
    return data;
}

QByteArray Bytes(const CalibrationTransmitArea& area)
{
    return QByteArray(reinterpret_cast<const char*>(area.data()), static_cast<qsizetype>(area.size()));
}

TEST(CalibrationWrite, SendsTwentySixUnitsAndTheRadioHoldsThePackedBlock)
{
    RadioRig rig;
    rig.program.calibration = Patterned(7, 3);
    const CalibrationData before = rig.program.calibration;

    EXPECT_EQ(rig.run(op::Calibration, kDirectionWrite), TransferOutcome::Success);

    const std::vector<RadioRig::Block> writes = rig.sentBlocks('W');
    ASSERT_EQ(writes.size(), 26u);
    for (std::size_t k = 0; k < writes.size(); ++k) {
        EXPECT_EQ(writes[k].address, 0xF000 + 16 * static_cast<int>(k)) << k;
        EXPECT_EQ(writes[k].length, 16) << k;
    }
    const QByteArray packed = Bytes(before.GetAdjustmentData());
    EXPECT_EQ(rig.memory(0xF000, 416), packed);
    // The last unit carries the block's final 4 bytes and 12 zero bytes.
    EXPECT_EQ(writes.back().data, packed.mid(400, 4) + QByteArray(12, '\0'));
    EXPECT_EQ(rig.sentMessages().back().left(1), QByteArray("E"));
    EXPECT_EQ(rig.engine->progress(), 100);
    EXPECT_EQ(rig.program.calibration, before);
}

TEST(CalibrationRead, TakesExactlyTheFieldsTheBlockCarries)
{
    RadioRig rig;
    const CalibrationData radio = Patterned(7, 3);
    const CalibrationTransmitArea block = radio.GetAdjustmentData();
    std::copy(block.begin(), block.end(), rig.emulator.memory.begin() + 0xF000);
    const CalibrationData before = Patterned(13, 5);
    rig.program.calibration = before;

    EXPECT_EQ(rig.run(op::Calibration, kDirectionRead), TransferOutcome::Success);

    const std::vector<RadioRig::Block> reads = rig.sentBlocks('R');
    // Two password blocks, then the 26 calibration units.
    ASSERT_EQ(reads.size(), 28u);
    for (int k = 0; k < 26; ++k)
        EXPECT_EQ(reads[static_cast<std::size_t>(k + 2)], (RadioRig::Block{'R', 0xF000 + 16 * k, 16, {}})) << k;

    const CalibrationData& now = rig.program.calibration;
    const std::set<std::string> neverSent = {
        "DtmfFuDu_W", "1750FuDu_W", "PinPian_N_Spe_1", "PinPian_N_Spe_2", "DtmfFuDu_N", "1750FuDu_N",
        "CtcPinPian_N", "DcsPinPian_N", "Xtal_PP", "Modu_th", "Pkdet_th", "Pkdet_th_nar", "Modu_dten",
        "Pkdet_dten", "CurBatt", "CurVox", "Rssi_db", "Rssi_cmp1", "Noise_db", "Noise_cmp1", "Modu_cmp",
        "Pkdet_cmp", "Rssi_cmp3", "Noise_cmp2", "Modu_db", "Pkdet_rssi", "Offset", "BattLowPowerOff",
        "Batt_ChargeOn", "Batt_ChargeOff"};
    // The radio keeps one byte of each deviation.
    const std::set<std::string> lowByteOnly = {"PinPian_W", "PinPian_N", "PinPian_W_Spe_1", "PinPian_W_Spe_2"};
    for (const cal::Field& field : cal::kAllFields) {
        if (field.kind != cal::FieldKind::Number)
            continue;
        const std::string name = field.name;
        if (neverSent.contains(name))
            EXPECT_EQ(now.get(field), before.get(field)) << name;
        else if (lowByteOnly.contains(name))
            EXPECT_EQ(now.get(field), radio.get(field) & 0xFF) << name;
        else
            EXPECT_EQ(now.get(field), radio.get(field)) << name;
    }
    for (int i = 0; i < cal::apc::kCount; ++i) {
        const ApcPoint got = now.apc(i), sent = radio.apc(i), kept = before.apc(i);
        EXPECT_EQ(got, (ApcPoint{sent.Freq, sent.HighPower, kept.Reserved, sent.LowPower, sent.RxTune, kept.Rssi,
                                 sent.RfOut}))
            << i;
    }
    for (int i = 0; i < cal::sq::kCount; ++i)
        EXPECT_EQ(now.sq(i), radio.sq(i)) << i;
    for (int level = 0; level < cal::kBattTblCount; ++level)
        EXPECT_EQ(now.battTbl(level), radio.battTbl(level)) << level;
    for (int step = 1; step <= cal::kVol1846Count; ++step)
        EXPECT_EQ(now.vol1846(step), before.vol1846(step)) << step;
    for (const cal::Field& reserved : {cal::Reserved_0D5, cal::Reserved_19E, cal::Reserved_1AE, cal::Reserved_24E,
                                       cal::Reserved_251})
        EXPECT_TRUE(std::equal(now.bytes().begin() + reserved.offset,
                               now.bytes().begin() + reserved.offset + reserved.width,
                               before.bytes().begin() + reserved.offset));
}

TEST(CalibrationRead, AFailedReadChangesNothing)
{
    RadioRig rig;
    const CalibrationData radio = Patterned(7, 3);
    const CalibrationTransmitArea block = radio.GetAdjustmentData();
    std::copy(block.begin(), block.end(), rig.emulator.memory.begin() + 0xF000);
    rig.program.calibration = Patterned(13, 5);
    const CalibrationData before = rig.program.calibration;
    // The radio answers the password blocks and 25 units, then falls silent.
    rig.emulator.faults.silenceAfterBlocks = 2 + 25;

    EXPECT_EQ(rig.run(op::Calibration, kDirectionRead), TransferOutcome::CommunicationFailure);
    EXPECT_EQ(rig.program.calibration, before);
}

TEST(CalibrationWrite, AProtectedRadioTakesTheCalibrationOnlyWithItsPassword)
{
    for (const char* entered : {"1234", "9999"}) {
        RadioRig rig;
        rig.emulator.setPassword("1234");
        rig.program.model.setText(cp::EnteredPassword, entered);
        const bool right = QByteArray(entered) == "1234";

        EXPECT_EQ(rig.run(op::Calibration, kDirectionWrite),
                  right ? TransferOutcome::Success : TransferOutcome::PasswordError);
        EXPECT_EQ(rig.sentBlocks('W').size(), right ? 26u : 0u) << entered;
    }
}

} // namespace
} // namespace lt::test
