#include "codeplug/LittleEndian.h"
#include "codeplug/RadioImagePacking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

using namespace lt;

namespace {

constexpr ProgrammingTime kPackTime{2024, 3, 9, 17, 45};

ProgrammingTime fixedClock() { return kPackTime; }

RandomBytes seededBytes(uint32_t seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](std::span<uint8_t> out) {
        for (uint8_t& b : out)
            b = static_cast<uint8_t>((*engine)() & 0xFF);
    };
}

void pack(CodeplugModel& model, RadioImage& image)
{
    GetDataForWrite(model, image, fixedClock, seededBytes(1));
}

// Every byte of the block random, then what a real model always has: tone
// types 0..3 and terminated texts.
void populate(CodeplugModel& model, std::mt19937& rng)
{
    for (uint8_t& b : model.block())
        b = static_cast<uint8_t>(rng() & 0xFF);
    auto fixTypes = [&](ChannelRecord r) {
        r.setRxTone(r.RxToneCode(), static_cast<uint8_t>(rng() % 4));
        r.setTxTone(r.TxToneCode(), static_cast<uint8_t>(rng() % 4));
    };
    for (int n = 0; n <= cp::kChannelCount; ++n)
        fixTypes(model.channel(n));
    fixTypes(model.vfoA());
    fixTypes(model.vfoB());
    for (const cp::Field& f : {cp::PowerOnMsg, cp::HuHao, cp::PowerOnMsg2, cp::NewPassword, cp::EnteredPassword})
        model.bytes(f).back() = 0;
    model.bands = {static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng()),
                   static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng())};
    model.UOffsetMax = static_cast<uint32_t>(rng());
    model.VOffsetMax = static_cast<uint32_t>(rng());
    model.LastWriteTime = {static_cast<uint16_t>(rng()), 1, 2, 3, 4};
}

// Settings-area numbers by their radio addresses, written out from the radio's
// memory map independently of the packing tables.
const struct {
    uint16_t address;
    cp::Field field;
} kSettingAddresses[] = {
    {0xB00E, cp::TOT}, {0xB010, cp::TOA}, {0xB011, cp::SCAN}, {0xB012, cp::PriScan},
    {0xB014, cp::BackLight}, {0xB015, cp::KeyLock}, {0xB016, cp::APO}, {0xB018, cp::Beep},
    {0xB019, cp::Saving_Rate}, {0xB01A, cp::FMR}, {0xB01B, cp::SQL}, {0xB01C, cp::VOX},
    {0xB01D, cp::VOX_DELAY}, {0xB01F, cp::NAM}, {0xB021, cp::DoubleWatch}, {0xB023, cp::AlarmMode},
    {0xB025, cp::WorkModeLock}, {0xB026, cp::MenuDisp}, {0xB02E, cp::Screensaver},
    {0xB030, cp::Language}, {0xB031, cp::WaitColor}, {0xB032, cp::TxColor}, {0xB033, cp::RxColor},
    {0xB034, cp::Cal}, {0xB060, cp::D_SideTone}, {0xB061, cp::D_DigitSpeed},
    {0xB062, cp::D_PauseDuration}, {0xB063, cp::D_FirstDelay}, {0xB065, cp::D_Pretime},
    {0xB067, cp::D_Mi_Jing_Delay}, {0xB069, cp::D_EncodeMode}, {0xB085, cp::TxRxLampLcd},
    {0xB086, cp::ROG}, {0xB0A4, cp::MEM}, {0xB0A6, cp::LockSingleFreq}, {0xB0A7, cp::Mic_SW},
    {0xB0A8, cp::Mic_Denoise}, {0xB0A9, cp::WatchMode},
    {0xA01A, cp::Fr_Offset_A}, {0xA01E, cp::MODE_A}, {0xA01F, cp::Step_A},
    {0xA04A, cp::Fr_Offset_B}, {0xA04E, cp::MODE_B}, {0xA04F, cp::Step_B},
};

// Block bytes that an unpack takes from the image (whole fields, so the text
// fields' cleared last byte counts too), given the map of used channels.
std::vector<bool> unpackedBytes(const CodeplugModel& usedMapSource)
{
    std::vector<bool> mask(cp::kBlockSize, false);
    auto mark = [&](std::size_t offset, std::size_t width) {
        std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(offset), width, true);
    };
    for (const auto& s : kSettingAddresses)
        mark(s.field.offset, s.field.width);
    for (const cp::Field& f : {cp::PowerOnMsg, cp::HuHao, cp::PowerOnMsg2, cp::ANI, cp::ChannelUsedMap})
        mark(f.offset, f.width);
    auto markRecord = [&](std::size_t base, bool withName) {
        mark(base + cp::ch::RxFreq, 4);
        mark(base + cp::ch::TxFreq, 4);
        mark(base + cp::ch::RxToneCode, 3);
        mark(base + cp::ch::TxToneCode, 3);
        mark(base + cp::ch::Signalling, 4);
        if (withName)
            mark(base + cp::ch::ChName, cp::ch::kNameSize);
    };
    for (int n = 1; n <= cp::kChannelCount; ++n)
        if (usedMapSource.IsChannelUsed(n))
            markRecord(cp::Channels.offset + cp::ch::kSize * static_cast<std::size_t>(n), true);
    markRecord(cp::VfoA.offset, false);
    markRecord(cp::VfoB.offset, false);
    return mask;
}

TEST(RadioImage, ChannelSlotAddresses)
{
    const struct {
        int channel;
        uint16_t address;
    } cases[] = {{1, 0x101A}, {2, 0x1034}, {30, 0x130C}, {31, 0x2000}, {32, 0x201A},
                 {62, 0x3000}, {239, 0x823C}, {240, 0x8256}};
    for (const auto& c : cases)
        EXPECT_EQ(ChannelSlotAddress(c.channel), c.address) << c.channel;

    // No two slots share a byte and none crosses its 4 KiB sector.
    std::vector<int> owner(RadioImage::kSize, 0);
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        const uint16_t a = ChannelSlotAddress(n);
        EXPECT_GE(a, 0x1000);
        EXPECT_EQ(a / 0x1000, (a + 25) / 0x1000) << n;
        for (int i = 0; i < 26; ++i)
            EXPECT_EQ(std::exchange(owner[a + i], n), 0) << n;
    }
    EXPECT_LE(ChannelSlotAddress(240) + 25, 0x8FFF);
}

TEST(RadioImage, PackingOneChannelWritesOnlyItsSlot)
{
    CodeplugModel model;
    ChannelRecord ch1 = model.channel(1);
    ch1.setRxFreq(145500000);
    model.StringGridAutoFullRow(1);
    ch1.setRxTone(10259, 2);
    ch1.setTxTone(885, 1);
    ch1.setOffsetDir(2);
    ch1.setChName("CALL");
    model.SetChannelUsed(1, true);
    // A channel with a record behind a clear bit stays out of the image.
    model.channel(2).setRxFreq(438000000);

    RadioImage image;
    image.bytes.fill(0xAA);
    pack(model, image);

    EXPECT_EQ(image.bytes[0], 0x02);
    for (int i = 1; i < 32; ++i)
        EXPECT_EQ(image.bytes[i], 0) << i;
    const uint8_t expected[26] = {0x60, 0x27, 0xAC, 0x08, 0x60, 0x27, 0xAC, 0x08, 0x13, 0x28, 0x75, 0x03,
                                  0x00, 0xB0, 0x00, 0x62, 'C', 'A', 'L', 'L', 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), image.at(0x101A)));
    for (std::size_t a = 0x1000; a <= 0x8FFF; ++a)
        if (a < 0x101A || a >= 0x101A + 26) {
            ASSERT_EQ(image.bytes[a], 0) << std::hex << a;
        }
    // The model's tone byte took the tone-type copies too.
    EXPECT_EQ(ch1.toneByte(), 0x62);
}

TEST(RadioImage, ToneTypeCopiesOfEveryCombination)
{
    CodeplugModel model;
    model.SetChannelUsed(7, true);
    ChannelRecord ch = model.channel(7);
    for (uint8_t rx = 0; rx < 4; ++rx) {
        for (uint8_t tx = 0; tx < 4; ++tx) {
            ch.setToneByte(0x0D); // offset direction 1 and bits 2-3 stay
            ch.setRxTone(700, rx);
            ch.setTxTone(700, tx);
            RadioImage image;
            pack(model, image);
            const uint8_t expected = static_cast<uint8_t>(0x0D | rx << 4 | tx << 6);
            EXPECT_EQ(image.bytes[ChannelSlotAddress(7) + 15], expected);
            EXPECT_EQ(ch.toneByte(), expected);
        }
    }
}

TEST(RadioImage, PackedAreasHoldEveryFieldAtItsAddress)
{
    std::mt19937 rng(11);
    CodeplugModel model;
    populate(model, rng);
    model.setText(cp::PowerOnMsg2, "ABCDEFGHIJ");
    model.setText(cp::NewPassword, "\xC4\xE3pass");
    model.bands = {400000000, 470000000, 136000000, 174000000};
    model.vfoA().setOffsetDir(1);

    RadioImage image;
    image.bytes.fill(0x55);
    pack(model, image);

    for (const auto& s : kSettingAddresses)
        EXPECT_EQ(le::get(image.at(s.address), s.field.width), model.get(s.field)) << s.field.name;
    EXPECT_EQ(le::get32(image.at(0xB048)), 136000000u);
    EXPECT_EQ(le::get32(image.at(0xB04C)), 174000000u);
    EXPECT_EQ(le::get32(image.at(0xB050)), 400000000u);
    EXPECT_EQ(le::get32(image.at(0xB054)), 470000000u);
    EXPECT_EQ(0, std::memcmp(image.at(0xB038), "ABCDEFGH", 8));
    EXPECT_EQ(0, std::memcmp(image.at(0xB08C), "ABCDEFGHIJ\0\0\0\0\0\0\0\0\0\0", 20));
    EXPECT_EQ(0, std::memcmp(image.at(0xB006), model.bytes(cp::PowerOnMsg).data(), 8));
    EXPECT_EQ(0, std::memcmp(image.at(0xB040), model.bytes(cp::HuHao).data(), 8));
    EXPECT_EQ(0, std::memcmp(image.at(0xB07A), model.bytes(cp::ANI).data(), 10));
    EXPECT_EQ(image.bytes[0xB084], model.bytes(cp::ANI)[10]);
    const uint8_t time[6] = {0x07, 0xE8, 3, 9, 17, 45};
    EXPECT_EQ(0, std::memcmp(image.at(0xB000), time, 6));

    const uint8_t* vfoA = image.at(0xA000);
    EXPECT_EQ(le::get32(vfoA), model.vfoA().RxFreq());
    EXPECT_EQ(le::get32(vfoA + 4), model.vfoA().TxFreq());
    EXPECT_EQ(le::get16(vfoA + 8), model.vfoA().RxToneCode());
    EXPECT_EQ(le::get16(vfoA + 10), model.vfoA().TxToneCode());
    EXPECT_EQ(0, std::memcmp(vfoA + 12, model.vfoA().data() + cp::ch::Signalling, 4));
    EXPECT_EQ(vfoA[15] & 3, 1);
    EXPECT_EQ(0, std::memcmp(image.at(0xA030) + 12, model.vfoB().data() + cp::ch::Signalling, 4));
    EXPECT_EQ(le::get32(image.at(0xA030)), model.vfoB().RxFreq());

    const DecodedPassword password = DecodePasswordRecord(std::span<const uint8_t, 16>(image.at(0xC000), 16));
    EXPECT_EQ(password.result, PasswordDecode::Ok);
    EXPECT_EQ(password.password, QByteArray("\xC4\xE3pass"));

    // Every byte of the frequency-mode and settings areas not named above is 0,
    // and so is everything outside the codeplug areas.
    std::vector<bool> named(RadioImage::kSize, false);
    auto name = [&](std::size_t a, std::size_t w) { std::fill_n(named.begin() + static_cast<std::ptrdiff_t>(a), w, true); };
    for (const auto& s : kSettingAddresses)
        name(s.address, s.field.width);
    name(0x0000, 32);
    for (int n = 1; n <= cp::kChannelCount; ++n)
        name(ChannelSlotAddress(n), 26);
    name(0xA000, 16);
    name(0xA030, 16);
    for (auto [a, w] : {std::pair{0xB000, 6}, {0xB006, 8}, {0xB038, 8}, {0xB040, 8}, {0xB048, 16},
                        {0xB07A, 11}, {0xB08C, 20}, {0xC000, 16}})
        name(static_cast<std::size_t>(a), static_cast<std::size_t>(w));
    for (std::size_t a = 0; a < RadioImage::kSize; ++a)
        if (!named[a]) {
            ASSERT_EQ(image.bytes[a], 0) << std::hex << a;
        }
}

TEST(RadioImage, PackThenUnpackGivesBackEveryPackedField)
{
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 rng(seed);
        CodeplugModel source;
        populate(source, rng);
        if (seed == 1) // every channel in use
            std::ranges::fill(source.bytes(cp::ChannelUsedMap), 0xFF);
        RadioImage image;
        pack(source, image);

        CodeplugModel target;
        populate(target, rng);
        const CodeplugModel before = target;
        SetDataToSoftware(image, target);

        const std::vector<bool> fromImage = unpackedBytes(source);
        for (std::size_t i = 0; i < cp::kBlockSize; ++i) {
            const uint8_t expected = fromImage[i] ? source.block()[i] : before.block()[i];
            ASSERT_EQ(target.block()[i], expected) << "seed " << seed << " byte " << i;
        }
        EXPECT_EQ(target.bands, source.bands);
        EXPECT_EQ(target.LastWriteTime, kPackTime);
        EXPECT_EQ(target.UOffsetMax, before.UOffsetMax);
        EXPECT_EQ(target.VOffsetMax, before.VOffsetMax);
        for (int n = 1; n <= cp::kChannelCount; ++n)
            EXPECT_EQ(target.IsChannelUsed(n), source.IsChannelUsed(n)) << n;
    }
}

TEST(RadioImage, UnpackingKeepsChannelsTheMapDoesNotMark)
{
    std::mt19937 rng(5);
    CodeplugModel model;
    populate(model, rng);
    std::ranges::fill(model.bytes(cp::ChannelUsedMap), 0xFF);
    const CodeplugModel before = model;

    RadioImage image;
    image.bytes.fill(0x77);
    std::fill_n(image.at(0), 32, 0);
    image.bytes[0] = 1 << 5;
    SetDataToSoftware(image, model);

    for (int n = 1; n <= cp::kChannelCount; ++n) {
        EXPECT_EQ(model.IsChannelUsed(n), n == 5) << n;
        const bool same = std::equal(model.channel(n).data(), model.channel(n).data() + cp::ch::kSize,
                                     before.channel(n).data());
        EXPECT_EQ(same, n != 5) << n;
    }
    EXPECT_EQ(model.channel(5).RxFreq(), 0x77777777u);
    EXPECT_EQ(model.channel(5).RxToneType(), 3);
    EXPECT_EQ(model.channel(5).TxToneType(), 1);
}

TEST(RadioImage, UnpackReadsTimeTextsAndBandLimits)
{
    CodeplugModel model;
    model.updateOffsetMax();
    RadioImage image;
    const uint8_t time[6] = {0x07, 0xE6, 12, 31, 23, 59};
    std::memcpy(image.at(0xB000), time, 6);
    std::memcpy(image.at(0xB006), "POWERON!", 8);
    std::memcpy(image.at(0xB040), "BG1ABC12", 8);
    std::memcpy(image.at(0xB08C), "twenty bytes of text", 20);
    std::memcpy(image.at(0xB038), "ignored.", 8);
    le::put32(image.at(0xB048), 144000000);
    le::put32(image.at(0xB04C), 148000000);
    le::put32(image.at(0xB050), 420000000);
    le::put32(image.at(0xB054), 450000000);

    SetDataToSoftware(image, model);

    EXPECT_EQ(model.LastWriteTime, (ProgrammingTime{2022, 12, 31, 23, 59}));
    EXPECT_EQ(model.text(cp::PowerOnMsg), QByteArray("POWERON!"));
    EXPECT_EQ(model.bytes(cp::PowerOnMsg).back(), 0);
    EXPECT_EQ(model.text(cp::HuHao), QByteArray("BG1ABC12"));
    EXPECT_EQ(model.text(cp::PowerOnMsg2), QByteArray("twenty bytes of text"));
    EXPECT_EQ(model.bands, (BandLimits{420000000, 450000000, 144000000, 148000000}));
    EXPECT_EQ(model.UOffsetMax, 70000000u); // not recomputed by a read
    EXPECT_EQ(model.VOffsetMax, 38000000u);
}

TEST(RadioImage, PackReadsTheClockEachTimeWhateverSynClockHolds)
{
    CodeplugModel model;
    model.set(cp::SynClockWhenWrite, 0);
    RadioImage image;
    int calls = 0;
    GetDataForWrite(model, image, [&] {
        ++calls;
        return ProgrammingTime{1999, 1, 2, 3, 4};
    });
    EXPECT_EQ(calls, 1);
    const uint8_t time[6] = {0x07, 0xCF, 1, 2, 3, 4};
    EXPECT_EQ(0, std::memcmp(image.at(0xB000), time, 6));

    const ProgrammingTime now = LocalClockNow();
    EXPECT_GE(now.year, 2020);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

TEST(RadioImage, RandomImagesUnpackWithinBounds)
{
    std::mt19937 rng(2024);
    CodeplugModel model;
    RadioImage image;
    for (int round = 0; round < 50; ++round) {
        for (uint8_t& b : image.bytes)
            b = static_cast<uint8_t>(rng() & 0xFF);
        SetDataToSoftware(image, model);
        EXPECT_TRUE(std::equal(image.at(0), image.at(32), model.bytes(cp::ChannelUsedMap).data()));
        for (int n = 1; n <= cp::kChannelCount; ++n)
            if (model.IsChannelUsed(n)) {
                ASSERT_EQ(model.channel(n).RxFreq(), le::get32(image.at(ChannelSlotAddress(n)))) << n;
            }
        EXPECT_LE(model.vfoA().RxToneType(), 3);
        EXPECT_EQ(model.bytes(cp::PowerOnMsg2).back(), 0);
        // What was read packs again without trouble.
        RadioImage again;
        pack(model, again);
        EXPECT_TRUE(std::equal(image.at(0), image.at(32), again.at(0)));
    }
}

} // namespace
