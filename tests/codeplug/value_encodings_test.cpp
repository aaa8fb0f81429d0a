#include "codeplug/ConversionError.h"
#include "codeplug/ValueEncodings.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lt;

namespace {

struct HzText {
    uint32_t hz;
    const char* text;
};

TEST(ValueEncodings, FreqToTextWritesNineCharactersOrZero)
{
    const HzText cases[] = {
        {0, "0"},
        {136025000, "136.02500"},
        {145500000, "145.50000"},
        {438123000, "438.12300"},
        {50000000, "050.00000"},
        {438123456, "438.12345"},       // below 10 Hz is not shown
        {1438123000, "438.12300"},      // above the hundreds of MHz is dropped
        {500, "000.00050"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FreqToText(c.hz), QString::fromLatin1(c.text)) << c.hz;
}

TEST(ValueEncodings, OffsetToTextShowsTensOnlyWhenNotZero)
{
    const HzText cases[] = {
        {0, "0"},
        {600000, "0.60000"},
        {5000000, "5.00000"},
        {12500000, "12.50000"},
        {70000000, "70.00000"},
        {105000000, "5.00000"},        // the hundreds digit is lost
        {112345670, "12.34567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OffsetToText(c.hz), QString::fromLatin1(c.text)) << c.hz;
}

TEST(ValueEncodings, TextToFreqReadsMegahertz)
{
    const struct {
        const char* text;
        uint32_t hz;
    } cases[] = {
        {"146", 146000000},
        {"146.52", 146520000},
        {"146.5205", 146520500},
        {"438.1234", 438123400},
        {"146.05", 146050000},          // leading zeros of the fraction count
        {"146.000001", 146000001},
        {".5", 5000000},                // a leading point reads the digits as MHz
        {"0438.5", 438500000},
        {"1.1234567", 2234567},         // more than six decimals: hertz, unscaled
        {"4294", 4294000000u},
        {"4295", 0xFFFFFFFFu},          // saturates instead of wrapping
        {"4294.967296", 0xFFFFFFFFu},
        {"2147483647", 0xFFFFFFFFu},
        {"0", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToFreq(QString::fromLatin1(c.text)), c.hz) << c.text;
}

TEST(ValueEncodings, TextToFreqRaisesTheConversionErrorForUnreadableText)
{
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"438.", "'438.' is not a valid floating point value"},
        {".", "'.' is not a valid floating point value"},
        {"", "'' is not a valid integer value"},
        {"abc", "'abc' is not a valid integer value"},
        {"2147483648", "'2147483648' is not a valid integer value"},
        {"-5", "'-5' is not a valid integer value"},
        {" 146", "' 146' is not a valid integer value"},
        {"146.5.2", "'146.5.2' is not a valid floating point value"},
        {"14a.5", "'14a.5' is not a valid floating point value"},
        {"1.12345678901", "'1.12345678901' is not a valid floating point value"},
        {"2147483648.5", "'2147483648.5' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        try {
            TextToFreq(QString::fromLatin1(c.text));
            ADD_FAILURE() << "no error for '" << c.text << "'";
        } catch (const ConversionError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(ValueEncodings, BandClampWithTheDefaultLimits)
{
    const BandLimits bands;
    const struct {
        uint32_t in, out;
    } cases[] = {
        {100000000, 136000000},
        {136000000, 136000000},
        {174000000, 174000000},
        {300000000, 174000000},         // in the gap between the bands
        {399999999, 174000000},
        {400000000, 400000000},
        {500000000, 470000000},
        {145512300, 145512000},         // always down to 500 Hz
        {145512999, 145512500},
        {0xFFFFFFFFu, 470000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampToBands(c.in, bands), c.out) << c.in;
    // A too-large typed frequency ends at the top of the bands.
    EXPECT_EQ(ClampToBands(TextToFreq(QStringLiteral("4295")), bands), 470000000u);
    EXPECT_EQ(ClampToBands(TextToFreq(QStringLiteral("1.1234567")), bands), 136000000u);
}

TEST(ValueEncodings, BandClampFollowsOtherLimits)
{
    const BandLimits bands{420000000, 450000000, 144000000, 148000000};
    EXPECT_EQ(ClampToBands(143999999, bands), 144000000u);
    EXPECT_EQ(ClampToBands(150000000, bands), 148000000u);
    EXPECT_EQ(ClampToBands(460000250, bands), 450000000u);
    EXPECT_EQ(ClampToBands(430000750, bands), 430000500u);
}

TEST(ValueEncodings, RangeStepAndOffsetClamps)
{
    const struct {
        uint32_t (*clamp)(uint32_t);
        uint32_t in, out;
    } cases[] = {
        {&ClampToRange, 100000000, 134000000},
        {&ClampToRange, 600000000, 520000000},
        {&ClampToRange, 433333333, 433333000},
        {&FloorTo500, 999, 500},
        {&FloorTo500, 499, 0},
        {&ClampStep, 9999999, 9999500},
        {&ClampStep, 10000000, 0},
        {&ClampStep, 12500, 12500},
        {&ClampStep, 12750, 12500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.clamp(c.in), c.out) << c.in;

    const uint32_t u = 70000000, v = 38000000;
    EXPECT_EQ(ClampOffset(70000000, u, v), 70000000u);
    EXPECT_EQ(ClampOffset(70000001, u, v), 38000000u);
    EXPECT_EQ(ClampOffset(50000250, u, v), 50000000u);
    EXPECT_EQ(ClampOffset(99000000, 30000000, 60000000), 60000000u);
}

TEST(ValueEncodings, ToneToText)
{
    const struct {
        uint16_t code;
        uint8_t type;
        const char* text;
    } cases[] = {
        {0, 1, "Off"},
        {0xFFFF, 2, "Off"},
        {0xFFFF, 0, "Off"},
        {0, 0, "Off"},
        {885, 1, "88.5"},
        {670, 1, "67.0"},
        {2541, 1, "254.1"},
        {2500, 1, "250.0"},
        {0x2813, 2, "D023N"},
        {0x2813, 3, "D023I"},
        {10405, 2, "D245N"},
        {0x2800 + 0754, 3, "D754I"},
        {0x13, 2, "D023N"},             // a missing hundreds digit is 0
        {0xA813, 3, "D023I"},           // inverted uses the low 15 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToneToText(c.code, c.type), QString::fromLatin1(c.text)) << c.code << "/" << int(c.type);
    EXPECT_TRUE(ToneToText(885, 4).isEmpty());
}

TEST(ValueEncodings, TextToToneAcceptsTheListFormsAndTypedTenths)
{
    const struct {
        const char* text;
        uint16_t code;
        uint8_t type;
    } cases[] = {
        {"Off", 0xFFFF, 0},
        {"", 0xFFFF, 0},
        {"D023N", 10259, 2},
        {"D023I", 10259, 3},
        {"D754N", 0x2800 + 0754, 2},
        {"D000N", 0x2800, 2},
        {"D023Nxyz", 10259, 2},         // characters after the fifth are ignored
        {"88.5", 885, 1},
        {"67", 670, 1},
        {"67.", 670, 1},
        {"67.0", 670, 1},
        {"100", 1000, 1},
        {"100.", 1000, 1},
        {"100.0", 1000, 1},
        {"254.1", 2541, 1},
        {"250.0", 2500, 1},
        {"260", 2600, 1},
        {"60", 600, 1},
        {"25.55", 2555, 1},             // both decimals are read as digits
    };
    for (const auto& c : cases) {
        const auto tone = TextToTone(QString::fromLatin1(c.text));
        ASSERT_TRUE(tone.has_value()) << c.text;
        EXPECT_EQ(*tone, (Tone{c.code, c.type})) << c.text;
    }
}

TEST(ValueEncodings, TextToToneRejects)
{
    const char* rejected[] = {
        "D089N",   // 8 is not octal
        "d023N",   // lower case
        "D023n",
        "X023N",
        "D02N",    // fifth character decides: here it is not N or I
        "25.0",    // 250 is below 300
        "262.0",   // 2620 is above 2600
        "300",     // first character 3
        "450.0",
        "5",
        "6",
        "1000",    // four characters need a point
        "67..",
        "6.7",
        "100.00",
        "100.x",
        "A7.0",
        "6a",
        "of",
        "OFF",
    };
    for (const char* text : rejected)
        EXPECT_FALSE(TextToTone(QString::fromLatin1(text)).has_value()) << text;
}

TEST(ValueEncodings, IsStandardTone)
{
    const struct {
        uint16_t code;
        uint8_t type;
        bool standard;
    } cases[] = {
        {10405, 2, true},
        {10405, 3, true},
        {10259, 2, true},
        {0x2800 + 0754, 3, true},
        {0x2800 + 0755, 2, false},
        {886, 1, false},
        {885, 1, true},
        {2500, 1, false},
        {2503, 1, true},
        {1234, 0, true},
        {0xFFFF, 0, true},
        {885, 4, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsStandardTone(c.code, c.type), c.standard) << c.code << "/" << int(c.type);
}

TEST(ValueEncodings, ToneListHoldsEveryStandardToneOnce)
{
    const QStringList& list = ToneList();
    ASSERT_EQ(list.size(), 261);
    EXPECT_EQ(list.first(), QStringLiteral("Off"));
    EXPECT_EQ(list[1], QStringLiteral("67.0"));
    EXPECT_EQ(list[50], QStringLiteral("254.1"));
    EXPECT_EQ(list[51], QStringLiteral("D023N"));
    EXPECT_EQ(list[155], QStringLiteral("D754N"));
    EXPECT_EQ(list[156], QStringLiteral("D023I"));
    EXPECT_EQ(list[260], QStringLiteral("D754I"));
    EXPECT_EQ(QStringList(list).removeDuplicates(), 0);

    // Each entry is parsed to a standard tone whose text is the entry again.
    for (int i = 0; i < list.size(); ++i) {
        const auto tone = TextToTone(list[i]);
        ASSERT_TRUE(tone.has_value()) << list[i].toStdString();
        EXPECT_EQ(*tone, ToneListEntry(i)) << i;
        EXPECT_TRUE(IsStandardTone(*tone)) << i;
        EXPECT_EQ(ToneToText(*tone), list[i]) << i;
    }
    EXPECT_EQ(ToneListEntry(-1), (Tone{0xFFFF, 0}));
    EXPECT_EQ(ToneListEntry(261), (Tone{0xFFFF, 0}));
    EXPECT_EQ(kDcsCodeTable.size(), 210u);
}

TEST(ValueEncodings, StepAndVoxDelayTables)
{
    const QStringList stepTexts = {"2.5K", "5K", "6.25K", "10K", "12.5K", "20K", "25K", "30K", "50K"};
    EXPECT_EQ(StepListTexts(), stepTexts);
    const QStringList voxTexts = {"0.3", "0.5", "1.0", "1.5", "2.0", "3.0"};
    EXPECT_EQ(VoxDelayListTexts(), voxTexts);

    EXPECT_EQ(StepIndex(2500), 0);
    EXPECT_EQ(StepIndex(12500), 4);
    EXPECT_EQ(StepIndex(50000), 8);
    EXPECT_EQ(StepIndex(7500), -1);
    EXPECT_EQ(VoxDelayIndex(300), 0);
    EXPECT_EQ(VoxDelayIndex(1500), 3);
    EXPECT_EQ(VoxDelayIndex(3000), 5);
    EXPECT_EQ(VoxDelayIndex(2500), -1);
}

TEST(ValueEncodings, DtmfDigitCodes)
{
    const struct {
        const char* text;
        QByteArray codes;
    } cases[] = {
        {"0123456789", QByteArray("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09", 10)},
        {"ABCD*#", QByteArray("\x0a\x0b\x0c\x0d\x0e\x0f", 6)},
        {"", QByteArray()},
        {"1#", QByteArray("\x01\x0f", 2)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DtmfToCodes(QString::fromLatin1(c.text)), c.codes) << c.text;
        EXPECT_EQ(DtmfToCodes(QByteArray(c.text)), c.codes) << c.text;
        EXPECT_EQ(CodesToDtmf(c.codes), QString::fromLatin1(c.text)) << c.text;
    }
    // Characters the editors never let through still follow the c - 48 rule.
    EXPECT_EQ(DtmfToCodes(QStringLiteral("a")), QByteArray(1, char(49)));
    EXPECT_EQ(CodesToDtmf(QByteArray(1, char(16))), QStringLiteral("@"));
    const uint8_t codes[] = {1, 2, 3, 15};
    EXPECT_EQ(CodesToDtmf(codes, 2), QStringLiteral("12"));
}

} // namespace
