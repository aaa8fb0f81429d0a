#include "codeplug/CodeplugDiff.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/TextEntryRules.h"
#include "codeplug/ToneTables.h"
#include "codeplug/ValueEncodings.h"
#include "emulator/SampleCodeplug.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace lt {
namespace {

// The sample codeplug, the one the others are compared with.
const CodeplugModel& Sample()
{
    static const CodeplugModel sample = [] {
        CodeplugModel model;
        FillSampleCodeplug(model);
        return model;
    }();
    return sample;
}

std::vector<QString> Names(const std::vector<FieldDifference>& differences)
{
    std::vector<QString> names;
    for (const FieldDifference& d : differences)
        names.push_back(d.field);
    return names;
}

TEST(CompareCodeplugs, OneChangeIsNamedAsVerifyNamesItWithBothValues)
{
    const struct {
        const char* what;
        std::function<void(CodeplugModel&)> change;
        FieldDifference expected;
    } cases[] = {
        {"a setting the radio gets", [](CodeplugModel& m) { m.set(cp::SQL, 7); }, {"SQL", "5", "7"}},
        {"a channel's frequency, as the grid shows it", [](CodeplugModel& m) { m.channel(12).setRxFreq(145000000); },
         {"channel 12 RxFreq", FreqToText(Sample().channel(12).RxFreq()), "145.00000"}},
        {"a frequency its text cannot tell apart, by its numbers",
         [](CodeplugModel& m) { m.channel(12).setRxFreq(Sample().channel(12).RxFreq() + 1000000000); },
         {"channel 12 RxFreq", QString::number(Sample().channel(12).RxFreq()),
          QString::number(Sample().channel(12).RxFreq() + 1000000000)}},
        {"a channel's tone code, with the tone type of each side",
         [](CodeplugModel& m) { m.channel(2).setRxTone(Sample().channel(2).RxToneCode() + 10, Sample().channel(2).RxToneType()); },
         {"channel 2 RxToneCode", ToneToText(Sample().channel(2).RxToneCode(), Sample().channel(2).RxToneType()),
          ToneToText(Sample().channel(2).RxToneCode() + 10, Sample().channel(2).RxToneType())}},
        {"a frequency-mode offset", [](CodeplugModel& m) { m.set(cp::Fr_Offset_A, 600000); },
         {"Fr_Offset_A", OffsetToText(static_cast<uint32_t>(Sample().get(cp::Fr_Offset_A))), "0.60000"}},
        {"a channel's name", [](CodeplugModel& m) { m.channel(3).setChName(ToGbk(QStringLiteral("中继"))); },
         {"channel 3 ChName", "\"CH-003\"", "\"中继\""}},
        {"a name that is no GBK", [](CodeplugModel& m) { m.channel(3).setChName(QByteArray("A\xff\x01", 3)); },
         {"channel 3 ChName", "\"CH-003\"", "\"A\\xff\\x01\""}},
        {"a channel left out", [](CodeplugModel& m) { m.SetChannelUsed(40, false); }, {"ChannelUsedMap channel 40", "1", "0"}},
        {"a frequency-mode side", [](CodeplugModel& m) { m.vfoB().setChInfor_Pow(m.vfoB().ChInfor_Pow() ^ 1); },
         {"VFO B ChInfor_Pow", QString::number(Sample().vfoB().ChInfor_Pow()), QString::number(Sample().vfoB().ChInfor_Pow() ^ 1)}},
        {"a DTMF setting kept in the file only", [](CodeplugModel& m) { m.set(cp::D_ID, 321); }, {"D_ID", "1", "321"}},
        {"a remote code kept in the file only", [](CodeplugModel& m) { m.setDigitCodes(cp::Stun, QByteArray("\x01\x02\x03", 3)); }, {"Stun", "\"\"", "\"123\""}},
        {"the entered password", [](CodeplugModel& m) { m.setText(cp::EnteredPassword, "1234"); }, {"EnteredPassword", "\"\"", "\"1234\""}},
    };
    const CodeplugModel a = Sample();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CodeplugModel b = a;
        c.change(b);
        const std::vector<FieldDifference> differences = CompareCodeplugs(a, b);
        ASSERT_EQ(differences.size(), 1u) << (differences.empty() ? "" : DescribeDifference(differences[0]).toStdString());
        EXPECT_EQ(differences[0], c.expected) << DescribeDifference(differences[0]).toStdString();
    }
}

TEST(CompareCodeplugs, WhatNeitherTheRadioNorTheFileShowsIsNotADifference)
{
    const CodeplugModel a = Sample();
    CodeplugModel b = a;
    EXPECT_TRUE(CompareCodeplugs(a, b).empty());
    // The old bytes of a channel not in use, a reserved stretch, the band
    // limits the program keeps beside the file.
    b.SetChannelUsed(50, false);
    CodeplugModel c = b;
    c.channel(50).setRxFreq(440000000);
    c.block()[cp::Reserved_127.offset + 3] ^= 0x5A;
    // A name's bytes behind its terminating zero ("CH-005" takes 6 of 10).
    c.block()[cp::Channels.offset + 76 * 5 + 61 + 8] = 'X';
    EXPECT_TRUE(CompareCodeplugs(b, c).empty());
}

TEST(CompareCodeplugs, SwappingTheCodeplugsSwapsTheValuesOverRandomChanges)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const CodeplugModel a = Sample();
    for (int round = 0; round < 50; ++round) {
        CodeplugModel b = a;
        const int changes = std::uniform_int_distribution<int>(1, 8)(random);
        for (int i = 0; i < changes; ++i) {
            const auto at = std::uniform_int_distribution<std::size_t>(0, cp::kBlockSize - 1)(random);
            b.block()[at] = static_cast<uint8_t>(std::uniform_int_distribution<int>(0, 255)(random));
        }
        const std::vector<FieldDifference> forth = CompareCodeplugs(a, b);
        const std::vector<FieldDifference> back = CompareCodeplugs(b, a);
        ASSERT_EQ(Names(forth), Names(back)) << "round " << round;
        for (std::size_t i = 0; i < forth.size(); ++i) {
            EXPECT_EQ(forth[i].file, back[i].radio);
            EXPECT_EQ(forth[i].radio, back[i].file);
            EXPECT_NE(forth[i].file, forth[i].radio) << forth[i].field.toStdString();
        }
        EXPECT_TRUE(CompareCodeplugs(b, b).empty());
    }
}

TEST(CompareCodeplugs, APlaceIsTakenFromTheName)
{
    const struct {
        const char* field;
        DifferencePlace place;
    } cases[] = {
        {"channel 12 RxFreq", {12, QChar(), "RxFreq"}},
        {"channel 240 ChName", {240, QChar(), "ChName"}},
        {"channel 7 signalling byte bits 5-7", {7, QChar(), "signalling byte bits 5-7"}},
        {"ChannelUsedMap channel 9", {9, QChar(), "ChannelUsedMap"}},
        {"ChannelUsedMap bit 0", {0, QChar(), "ChannelUsedMap bit 0"}},
        {"VFO A RxToneCode", {0, QChar('A'), "RxToneCode"}},
        {"VFO B OffsetDir", {0, QChar('B'), "OffsetDir"}},
        {"Fr_Offset_A", {0, QChar(), "Fr_Offset_A"}},
        {"PowerOnMsg2 (first 8 bytes)", {0, QChar(), "PowerOnMsg2 (first 8 bytes)"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOf({QString::fromLatin1(c.field), {}, {}}), c.place) << c.field;
}

TEST(CompareCodeplugs, DescribesBothSidesByTheirNames)
{
    EXPECT_EQ(DescribeDifference({QStringLiteral("SQL"), QStringLiteral("5"), QStringLiteral("7")}, QStringLiteral("a.kvf"),
                                 QStringLiteral("b.kvf")),
              QStringLiteral("SQL: a.kvf 5, b.kvf 7"));
}

} // namespace
} // namespace lt
