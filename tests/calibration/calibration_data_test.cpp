#include "calibration/CalibrationData.h"
#include "codeplug/LittleEndian.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace lt;

namespace {

using Block = std::array<uint8_t, 404>;
using Table = std::array<uint8_t, 10>;

std::span<const uint8_t, 404> blockOf(const CalibrationTransmitArea& area)
{
    return std::span<const uint8_t, 404>(area.data(), 404);
}

void randomize(CalibrationData& data, std::mt19937& rng)
{
    for (uint8_t& b : data.bytes())
        b = static_cast<uint8_t>(rng() & 0xFF);
}

// Stored byte -> block byte for everything the block carries, written out from
// the radio's block map independently of the packing code.
struct Carried {
    int stored;
    int block;
};

std::vector<Carried> carriedBytes()
{
    std::vector<Carried> map;
    auto run = [&](int stored, int block, int width) {
        for (int k = 0; k < width; ++k)
            map.push_back({stored + k, block + k});
    };
    for (int i = 0; i < 19; ++i) {
        run(10 * i, 8 * i, 5);          // Freq, HighPower
        run(10 * i + 6, 8 * i + 5, 2);  // LowPower, RxTune
        run(10 * i + 9, 8 * i + 7, 1);  // RfOut
    }
    run(0x10E, 0x098, 144);            // squelch rows
    run(0x0D8, 0x128, 9);              // battery thresholds, Batt_High
    run(0x10A, 0x131, 1);              // Batt_PowerOn
    run(0x24F, 0x132, 2);              // brightness
    run(0x100, 0x153, 10);             // battery table
    run(0x0BE, 0x15F, 1);              // PinPian_W low byte
    run(0x0C6, 0x160, 2);              // CTC and DCS deviation
    run(0x0E3, 0x163, 2);              // MicGain, Pga
    run(0x0E2, 0x165, 1);              // MicGainFine
    run(0x0C8, 0x166, 1);              // PinPian_N low byte
    run(0x0E5, 0x167, 2);              // Noise_th
    run(0x0F0, 0x169, 2);              // Noise_th_nar
    run(0x0EC, 0x16B, 2);              // Noise2_th
    run(0x0EA, 0x16D, 2);              // Rssi3_th
    run(0x25B, 0x16F, 3);              // SpeakActive, SpeakDelay
    run(0x0C0, 0x172, 1);              // PinPian_W_Spe_1 low byte
    run(0x0C2, 0x173, 1);              // PinPian_W_Spe_2 low byte
    run(0x262, 0x174, 4);              // ranges: stored max first, sent min first
    run(0x25E, 0x178, 4);
    run(0x26A, 0x17C, 4);
    run(0x266, 0x180, 4);
    run(0x272, 0x184, 4);
    run(0x26E, 0x188, 4);
    run(0x27A, 0x18C, 4);
    run(0x276, 0x190, 4);
    return map;
}

// Stored bytes a block sets without carrying them: the anchors come from the
// level tables, the deviations' high bytes are cleared.
const struct {
    int stored;
    int block; // -1: becomes 0
} kDerived[] = {
    {0x0D2, 0x135}, {0x0D3, 0x139}, {0x0D4, 0x13D}, {0x0D6, 0x149}, {0x0D7, 0x151},
    {0x0BF, -1}, {0x0C1, -1}, {0x0C3, -1}, {0x0C9, -1},
};

TEST(CalibrationData, DefaultsMatchTheStoredLayout)
{
    std::mt19937 rng(3);
    CalibrationData data;
    randomize(data, rng);
    data.SetCalibrationDefaults();

    const struct {
        int offset, width;
        uint32_t value;
    } defaults[] = {
        {0x0BE, 2, 20}, {0x0C0, 2, 5}, {0x0C2, 2, 10}, {0x0C4, 1, 127}, {0x0C5, 1, 127},
        {0x0C6, 1, 4}, {0x0C7, 1, 1}, {0x0C8, 2, 16}, {0x0CA, 2, 65}, {0x0CC, 2, 53},
        {0x0CE, 1, 127}, {0x0CF, 1, 127}, {0x0D0, 1, 14}, {0x0D1, 1, 13}, {0x0D2, 1, 22},
        {0x0D3, 1, 23}, {0x0D4, 1, 25}, {0x0D6, 1, 200}, {0x0D7, 1, 40}, {0x0D8, 1, 214},
        {0x0DC, 1, 214}, {0x0E2, 1, 15}, {0x0E3, 1, 43}, {0x0E4, 1, 1}, {0x0E5, 2, 800},
        {0x0E7, 1, 110}, {0x0E8, 1, 63}, {0x0E9, 1, 63}, {0x0EA, 2, 850}, {0x0EC, 2, 800},
        {0x0EE, 1, 1}, {0x0EF, 1, 1}, {0x0F0, 2, 850}, {0x24F, 1, 2}, {0x250, 1, 50},
        {0x25E, 4, 520000000}, {0x262, 4, 400000000}, {0x266, 4, 432000000},
        {0x26A, 4, 430000000}, {0x26E, 4, 176000000}, {0x272, 4, 134000000},
        {0x276, 4, 146000000}, {0x27A, 4, 144000000},
    };
    std::vector<bool> listed(638, false);
    for (const auto& d : defaults) {
        EXPECT_EQ(le::get(data.bytes().data() + d.offset, static_cast<std::size_t>(d.width)), d.value) << std::hex << d.offset;
        for (int k = 0; k < d.width; ++k)
            listed[static_cast<std::size_t>(d.offset + k)] = true;
    }
    for (std::size_t i = 0; i < 638; ++i) {
        if (!listed[i]) {
            EXPECT_EQ(data.bytes()[i], 0) << std::hex << i;
        }
    }
    EXPECT_EQ(data, CalibrationData());
}

TEST(CalibrationData, DefaultsPackedGiveTheLevelTablesAndRanges)
{
    const CalibrationTransmitArea area = CalibrationData().GetAdjustmentData();
    const Table open = {0, 22, 22, 22, 22, 23, 23, 24, 24, 25};
    const Table close = {0, 21, 21, 21, 21, 22, 22, 23, 23, 24};
    const Table vox = {0, 200, 180, 160, 140, 120, 100, 80, 60, 40};
    EXPECT_TRUE(std::equal(open.begin(), open.end(), area.begin() + 0x134));
    EXPECT_TRUE(std::equal(close.begin(), close.end(), area.begin() + 0x13E));
    EXPECT_TRUE(std::equal(vox.begin(), vox.end(), area.begin() + 0x148));
    const uint32_t ranges[] = {400000000, 520000000, 430000000, 432000000,
                               134000000, 176000000, 144000000, 146000000};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(le::get32(area.data() + 0x174 + 4 * i), ranges[i]) << i;

    const struct {
        int offset, width;
        uint32_t value;
    } singles[] = {
        {0x128, 1, 214}, {0x12C, 1, 214}, {0x152, 1, 214}, {0x15D, 1, 214}, {0x132, 1, 2},
        {0x133, 1, 50}, {0x15F, 1, 20}, {0x160, 1, 4}, {0x161, 1, 1}, {0x162, 1, 0},
        {0x163, 1, 43}, {0x164, 1, 1}, {0x165, 1, 15}, {0x166, 1, 16}, {0x167, 2, 800},
        {0x169, 2, 850}, {0x16B, 2, 800}, {0x16D, 2, 850}, {0x172, 1, 5}, {0x173, 1, 10},
    };
    for (const auto& s : singles)
        EXPECT_EQ(le::get(area.data() + s.offset, static_cast<std::size_t>(s.width)), s.value) << std::hex << s.offset;
}

TEST(CalibrationData, SqLevelTables)
{
    const struct {
        uint8_t l1, l5, l9;
        Table open, close;
    } cases[] = {
        {22, 23, 25, {0, 22, 22, 22, 22, 23, 23, 24, 24, 25}, {0, 21, 21, 21, 21, 22, 22, 23, 23, 24}},
        {10, 13, 13, {0, 10, 10, 11, 12, 13, 13, 13, 13, 13}, {0, 9, 9, 10, 11, 12, 12, 12, 12, 12}},
        // Falling anchors: steps still lean toward the lower level's anchor.
        {13, 10, 2, {0, 13, 13, 12, 11, 10, 8, 6, 4, 2}, {0, 12, 12, 11, 10, 9, 7, 5, 3, 1}},
        {30, 10, 2, {0, 30, 25, 20, 15, 10, 8, 6, 4, 2}, {0, 29, 24, 19, 14, 9, 7, 5, 3, 1}},
        {0, 0, 0, {}, {0, 255, 255, 255, 255, 255, 255, 255, 255, 255}},
        {0, 8, 255, {0, 0, 2, 4, 6, 8, 69, 131, 193, 255}, {0, 255, 1, 3, 5, 7, 68, 130, 192, 254}},
    };
    for (const auto& c : cases) {
        CalibrationData data;
        data.set(cal::SQL_L1, c.l1);
        data.set(cal::SQL_L4, c.l5);
        data.set(cal::SQL_L9, c.l9);
        const SqLevelTables t = BuildSqLevelTables(data);
        EXPECT_EQ(t.open, c.open) << int(c.l1) << "/" << int(c.l5) << "/" << int(c.l9);
        EXPECT_EQ(t.close, c.close) << int(c.l1) << "/" << int(c.l5) << "/" << int(c.l9);
    }
}

TEST(CalibrationData, VoxLevelTable)
{
    const struct {
        uint8_t l1, l9;
        Table table;
    } cases[] = {
        {200, 40, {0, 200, 180, 160, 140, 120, 100, 80, 60, 40}},
        {50, 50, {0, 50, 50, 50, 50, 50, 50, 50, 50, 50}},
        {10, 100, {0, 10, 21, 32, 43, 54, 65, 76, 87, 100}},
        {100, 93, {0, 100, 100, 100, 100, 100, 100, 100, 100, 93}},
        {0, 255, {0, 0, 31, 62, 93, 124, 155, 186, 217, 255}},
    };
    for (const auto& c : cases) {
        CalibrationData data;
        data.set(cal::VOX_L1, c.l1);
        data.set(cal::VOX_L9, c.l9);
        EXPECT_EQ(BuildVoxLevelTable(data), c.table) << int(c.l1) << "/" << int(c.l9);
    }
}

TEST(CalibrationData, PackPutsEveryFieldAtItsBlockOffset)
{
    std::mt19937 rng(17);
    for (int round = 0; round < 20; ++round) {
        CalibrationData data;
        randomize(data, rng);
        if (round == 0) { // rows not in use travel like any other
            ApcPoint p = data.apc(3);
            p.Freq = 0;
            data.setApc(3, p);
        }
        const CalibrationData before = data;
        CalibrationTransmitArea area;
        area.fill(0xEE);
        data.GetAdjustmentData(area);
        EXPECT_EQ(data, before);

        std::vector<bool> covered(416, false);
        for (const Carried& c : carriedBytes()) {
            ASSERT_EQ(area[c.block], data.bytes()[c.stored]) << std::hex << c.block;
            covered[c.block] = true;
        }
        const SqLevelTables sq = BuildSqLevelTables(data);
        const VoxLevelTable vox = BuildVoxLevelTable(data);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(area[0x134 + i], sq.open[i]);
            EXPECT_EQ(area[0x13E + i], sq.close[i]);
            EXPECT_EQ(area[0x148 + i], vox[i]);
            covered[0x134 + i] = covered[0x13E + i] = covered[0x148 + i] = true;
        }
        EXPECT_EQ(area[0x152], data.bytes()[0x0D8]);
        EXPECT_EQ(area[0x15D], data.bytes()[0x0DC]);
        EXPECT_EQ(area[0x15E], data.bytes()[0x0E0]);
        covered[0x152] = covered[0x15D] = covered[0x15E] = true;
        for (std::size_t i = 0; i < 416; ++i) {
            if (!covered[i]) {
                EXPECT_EQ(area[i], 0) << std::hex << i; // 0x162 and the tail of the last unit
            }
        }
    }
}

TEST(CalibrationData, DeviationTravelsAsItsLowByte)
{
    CalibrationData data;
    data.set(cal::PinPian_W, 300);
    const CalibrationTransmitArea area = data.GetAdjustmentData();
    EXPECT_EQ(area[0x15F], 44);
    data.SetAdjustmentData(blockOf(area));
    EXPECT_EQ(data.get(cal::PinPian_W), 44u);
}

TEST(CalibrationData, UnpackTakesOnlyWhatTheBlockCarries)
{
    std::mt19937 rng(99);
    const std::vector<Carried> carried = carriedBytes();
    for (int round = 0; round < 50; ++round) {
        CalibrationData data;
        randomize(data, rng);
        const CalibrationData before = data;
        Block block;
        for (uint8_t& b : block)
            b = static_cast<uint8_t>(rng() & 0xFF);
        data.SetAdjustmentData(block);

        std::vector<int> expected(638, -2); // -2: keeps its value
        for (const Carried& c : carried)
            expected[c.stored] = block[c.block];
        for (const auto& d : kDerived)
            expected[d.stored] = d.block < 0 ? 0 : block[d.block];
        for (std::size_t i = 0; i < 638; ++i) {
            const int want = expected[i] == -2 ? before.bytes()[i] : expected[i];
            ASSERT_EQ(data.bytes()[i], want) << "round " << round << " stored byte 0x" << std::hex << i;
        }
        EXPECT_EQ(data.status(), before.status());
        EXPECT_EQ(data.get(cal::Xtal_PP), before.get(cal::Xtal_PP));
        for (int i = 0; i < 19; ++i)
            EXPECT_EQ(data.apc(i).Rssi, before.apc(i).Rssi);
        for (int s = 1; s <= 9; ++s)
            EXPECT_EQ(data.vol1846(s), before.vol1846(s));
    }
}

TEST(CalibrationData, PackThenUnpackKeepsTheCalibration)
{
    std::mt19937 rng(5);
    CalibrationData source;
    randomize(source, rng);
    for (const cal::Field& f : {cal::PinPian_W, cal::PinPian_N, cal::PinPian_W_Spe_1, cal::PinPian_W_Spe_2})
        source.set(f, source.get(f) & 0xFF);
    CalibrationData target;
    randomize(target, rng);
    const CalibrationData before = target;

    target.SetAdjustmentData(blockOf(source.GetAdjustmentData()));

    for (int i = 0; i < 19; ++i) {
        ApcPoint want = source.apc(i);
        want.Rssi = before.apc(i).Rssi;
        want.Reserved = before.apc(i).Reserved;
        EXPECT_EQ(target.apc(i), want) << i;
    }
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(target.sq(i), source.sq(i)) << i;
    for (int l = 0; l < 10; ++l)
        EXPECT_EQ(target.battTbl(l), source.battTbl(l));
    for (const cal::Field& f : {cal::SQL_L1, cal::SQL_L4, cal::SQL_L9, cal::VOX_L1, cal::VOX_L9,
                                cal::PinPian_W, cal::PinPian_N, cal::PinPian_W_Spe_1, cal::PinPian_W_Spe_2,
                                cal::Batt_L3_Tx, cal::Batt_High, cal::Batt_PowerOn, cal::Noise_th, cal::Rssi3_th,
                                cal::SpeakDelay, cal::freq_limit_McuLock_V_min, cal::freq_limit_McuDef_U_max})
        EXPECT_EQ(target.get(f), source.get(f)) << f.name;
    for (const cal::Field& f : {cal::PinPian_N_Spe_1, cal::DtmfFuDu_N, cal::CtcPinPian_N, cal::Modu_th,
                                cal::Pkdet_th, cal::Pkdet_th_nar, cal::Modu_dten, cal::BattLowPowerOff})
        EXPECT_EQ(target.get(f), before.get(f)) << f.name;
}

TEST(CalibrationData, TypedAccessorsUseTheStoredLayout)
{
    CalibrationData data;
    data.setApc(18, {438000000, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(le::get32(data.bytes().data() + 180), 438000000u);
    EXPECT_EQ(data.bytes()[189], 6);
    EXPECT_EQ(data.apc(18), (ApcPoint{438000000, 1, 2, 3, 4, 5, 6}));

    data.setSq(17, {145000000, -20, -100, 10, 100});
    EXPECT_EQ(le::get32(data.bytes().data() + 0x10E + 136), 145000000u);
    EXPECT_EQ(data.bytes()[0x10E + 136 + 4], 0xEC);
    EXPECT_EQ(data.sq(17), (SqPoint{145000000, -20, -100, 10, 100}));

    data.setBattTbl(9, 77);
    EXPECT_EQ(data.bytes()[0x109], 77);
    data.setVol1846(9, 88);
    EXPECT_EQ(data.bytes()[0x25A], 88);
    EXPECT_EQ(data.vol1846(9), 88);

    RfChipStatus status{1, 2, 3, 1, 5, 0, 1, 1, 0, 1, 11, 12, 258};
    data.setStatus(status);
    EXPECT_EQ(data.status(), status);
    EXPECT_EQ(data.bytes()[0x0F2], 1);
    EXPECT_EQ(data.bytes()[0x0FC], 11);
    EXPECT_EQ(data.bytes()[0x0FE], 0x02);
    EXPECT_EQ(data.bytes()[0x0FF], 0x01);
}

} // namespace
