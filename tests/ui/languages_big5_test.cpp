#include "ui/AppLang.h"
#include "ui/Big5Conversion.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

QByteArray Bytes(std::initializer_list<uint8_t> bytes)
{
    QByteArray out;
    for (uint8_t b : bytes)
        out.append(static_cast<char>(b));
    return out;
}

struct KnownCharacter {
    const char* name;
    uint8_t gbkLead, gbkTrail;
    uint8_t big5Lead, big5Trail;
};

void PrintTo(const KnownCharacter& c, std::ostream* os) { *os << c.name; }

class Big5TableKnownCodes : public ::testing::TestWithParam<KnownCharacter> {};

TEST_P(Big5TableKnownCodes, EntryHoldsBig5CodeWithTopBitOfFirstByteInverted)
{
    const KnownCharacter& c = GetParam();
    const lt::Big5TableEntry& entry = lt::GbkToBig5Table()[lt::Big5TableIndex(c.gbkLead, c.gbkTrail)];
    EXPECT_EQ(entry[0], c.big5Lead ^ 0x80);
    EXPECT_EQ(entry[1], c.big5Trail);
    EXPECT_EQ(lt::GbkToBig5(Bytes({c.gbkLead, c.gbkTrail})), Bytes({c.big5Lead, c.big5Trail}));
}

INSTANTIATE_TEST_SUITE_P(Characters, Big5TableKnownCodes,
    ::testing::Values(KnownCharacter{"zhong", 0xD6, 0xD0, 0xA4, 0xA4},
        KnownCharacter{"wen", 0xCE, 0xC4, 0xA4, 0xE5},
        KnownCharacter{"du_traditional", 0xD7, 0x78, 0xC5, 0xAA},
        KnownCharacter{"men_traditional", 0x82, 0x83, 0xAD, 0xCC},
        KnownCharacter{"ti_traditional", 0xF3, 0x77, 0xC5, 0xE9},
        KnownCharacter{"first_position", 0x81, 0x40, 0x81, 0x40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Big5Table, IndexCoversEveryGbkPositionOnceInOrder)
{
    int expected = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            ASSERT_EQ(lt::Big5TableIndex(static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)), expected++);
    EXPECT_EQ(expected, 24066);
}

TEST(Big5Table, PositionsWithoutBig5CharacterKeepTheirBytes)
{
    // A Simplified-only character, the unused trail 0x7F, and a GBK symbol
    // area position without a character.
    for (const QByteArray& gbk : {Bytes({0xC3, 0xC7}), Bytes({0xB0, 0x7F}), Bytes({0xA2, 0xA0})})
        EXPECT_EQ(lt::GbkToBig5(gbk), gbk) << gbk.toHex().constData();
}

TEST(Big5Table, EveryConvertedEntryDecodesToTheCharacterItCameFrom)
{
    QStringDecoder fromGbk("GBK");
    QStringDecoder fromBig5("Big5");
    int converted = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const QByteArray gbk = Bytes({static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)});
            const QByteArray big5 = lt::GbkToBig5(gbk);
            ASSERT_EQ(big5.size(), 2);
            if (big5 == gbk)
                continue;
            ++converted;
            fromGbk.resetState();
            fromBig5.resetState();
            ASSERT_EQ(QString(fromBig5.decode(big5)), QString(fromGbk.decode(gbk))) << gbk.toHex().constData();
        }
    }
    // Big5 holds some 13000 characters, nearly all of them also in GBK.
    EXPECT_GT(converted, 13000);
}

struct WalkCase {
    const char* name;
    QByteArray gbk;
    QByteArray big5;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class Big5Walk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(Big5Walk, ConvertsPairsCopiesOtherBytesAndKeepsTheLength)
{
    const WalkCase& c = GetParam();
    const QByteArray out = lt::GbkToBig5(c.gbk);
    EXPECT_EQ(out, c.big5);
    EXPECT_EQ(out.size(), c.gbk.size());
}

INSTANTIATE_TEST_SUITE_P(Texts, Big5Walk,
    ::testing::Values(WalkCase{"empty", {}, {}},
        WalkCase{"ascii", "Ok (&A) 123", "Ok (&A) 123"},
        WalkCase{"mixed", Bytes({'A', 0xD6, 0xD0, '1', 0xCE, 0xC4}), Bytes({'A', 0xA4, 0xA4, '1', 0xA4, 0xE5})},
        WalkCase{"lone_lead_at_end", Bytes({0xD6, 0xD0, 0xCE}), Bytes({0xA4, 0xA4, 0xCE})},
        WalkCase{"lone_lead_only", Bytes({0x81}), Bytes({0x81})},
        WalkCase{"lead_before_non_trail", Bytes({0xD6, 0x20, 0xD6, 0xD0}), Bytes({0xD6, 0x20, 0xA4, 0xA4})},
        WalkCase{"trail_range_byte_alone_is_not_a_lead", Bytes({0x41, 0xD0}), Bytes({0x41, 0xD0})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FromGBK, ConvertsOnlyForTraditionalChinese)
{
    const QByteArray chinese = Bytes({0xD6, 0xD0, 0xCE, 0xC4});
    lt::TAppLang lang;
    for (int type : {1, 2, 0, 4}) {
        lang.fSetLangType(type);
        EXPECT_EQ(lang.FromGBK(chinese), chinese) << "type " << type;
        EXPECT_EQ(lang.FromGBK("Read from radio"), "Read from radio") << "type " << type;
    }
    lang.fSetLangType(3);
    EXPECT_EQ(lang.FromGBK(chinese), Bytes({0xA4, 0xA4, 0xA4, 0xE5}));
    EXPECT_EQ(lang.FromGBK("Read from radio"), "Read from radio");
}

} // namespace
