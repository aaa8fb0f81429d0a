#include "editing_fixture.h"

#include "codeplug/ChannelClipboard.h"
#include "codeplug/ValueEncodings.h"

#include <gtest/gtest.h>

using namespace lt;
using namespace lt::test;

namespace {

class ChannelClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { FillEditingCodeplug(model); }
    CodeplugModel model;
};

// What the CSV columns carry of a channel.
struct Carried {
    uint32_t rx, tx;
    Tone rxTone, txTone;
    int wide, scan, high;
    QByteArray name;
    bool operator==(const Carried&) const = default;
};

Carried CarriedBy(const CodeplugModel& model, int n)
{
    const ChannelRecord r = model.channel(n);
    const auto none = [](Tone t) { return t.type == kToneNone ? Tone{0, kToneNone} : t; };
    return {r.RxFreq(), r.TxFreq(), none({r.RxToneCode(), r.RxToneType()}), none({r.TxToneCode(), r.TxToneType()}),
            r.ChInfor_Bandwidth(), r.ChInfor_SCN(), r.ChInfor_Pow(), r.ChName()};
}

void PrintTo(const Carried& c, std::ostream* os)
{
    *os << FreqToText(c.rx).toStdString() << "/" << FreqToText(c.tx).toStdString() << " " << ToneToText(c.rxTone.code, c.rxTone.type).toStdString()
        << "/" << ToneToText(c.txTone.code, c.txTone.type).toStdString() << " " << c.name.toStdString();
}

} // namespace

TEST_F(ChannelClipboardTest, RawSlotsGiveBackEveryByteOfTheChannelsUsedOrNot)
{
    const std::vector<ChannelSlot> copied = CopyChannels(model, {198, 199, 200, 201});
    const auto decoded = DecodeChannelSlots(EncodeChannelSlots(copied));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, copied);

    ASSERT_TRUE(PasteChannels(model, 20, *decoded));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(TakeChannel(model, 20 + i), copied[static_cast<std::size_t>(i)]) << 20 + i;
    EXPECT_TRUE(model.IsChannelUsed(21));
    EXPECT_FALSE(model.IsChannelUsed(22));
    EXPECT_EQ(model.channel(22).data()[cp::ch::Reserved_71], 200) << "a byte no column carries";
}

TEST_F(ChannelClipboardTest, RawSlotsThatAreNotExactlyWhatACopyMakesAreRefused)
{
    const QByteArray good = EncodeChannelSlots(CopyChannels(model, {1, 2}));
    const auto changed = [&](int at, char to) {
        QByteArray bytes = good;
        bytes[at] = to;
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"nothing", {}},
        {"another program's bytes", changed(0, 'X')},
        {"another version", changed(8, 2)},
        {"a count beyond the slots", changed(9, 3)},
        {"no slots", EncodeChannelSlots({})},
        {"a used flag of 2", changed(11, 2)},
        {"a cut-off slot", good.left(good.size() - 1)},
        {"a byte too many", good + QByteArray(1, 0)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(DecodeChannelSlots(c.bytes).has_value()) << c.what;
}

TEST_F(ChannelClipboardTest, TextIsTabSeparatedWithAHeaderAndPastesBackWhatTheColumnsCarry)
{
    const QString text = ChannelsAsText(model, {1, 2, 3, 4, 5, 6, 7, 201});
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 8) << "the header and the seven channels in use";
    EXPECT_EQ(lines[0], ChannelCsvColumns().join(QLatin1Char('\t')));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\tCH-001\t")));

    CodeplugModel other;
    const TextPaste pasted = PasteChannelText(other, 100, text);
    ASSERT_EQ(pasted.outcome, TextPaste::Pasted);
    EXPECT_EQ(pasted.channels, 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_TRUE(other.IsChannelUsed(100 + i));
        EXPECT_EQ(CarriedBy(other, 100 + i), CarriedBy(model, 1 + i)) << "channel " << 1 + i;
    }
    EXPECT_FALSE(other.IsChannelUsed(107));
}

TEST_F(ChannelClipboardTest, PastesTextFromASpreadsheetWithOrWithoutAHeader)
{
    struct Case {
        const char* what;
        QString text;
        std::vector<Carried> channels;
    };
    const Tone none{0, kToneNone};
    const std::vector<Case> cases = {
        {"CR LF, quoted fields holding a tab and quotes, a header in another order",
         QStringLiteral("Name\tFrequency\tDuplex\tOffset\tLocation\r\n\"Tab\tName\"\t145.500000\t+\t0.600000\t9\r\n"
                        "\"Say \"\"hi\"\"\"\t433.000000\t\t\t\r\n\r\n"),
         {{145500000, 146100000, none, none, 1, 1, 1, "Tab\tName"}, {433000000, 433000000, none, none, 1, 1, 1, "Say \"hi\""}}},
        {"no header: the columns in their documented order",
         QStringLiteral("1\tRPT\t438.500000\t-\t7.6\tTSQL\t\t88.5\t\t\tNFM\t\tS\tLow\n"),
         {{438500000, 430900000, {885, kToneCtcss}, {885, kToneCtcss}, 0, 0, 0, "RPT"}}},
        {"commas", QStringLiteral("Frequency,Name\n146.52,\"A, B\"\n"), {{146520000, 146520000, none, none, 1, 1, 1, "A, B"}}},
    };
    for (const Case& c : cases) {
        CodeplugModel target;
        const TextPaste pasted = PasteChannelText(target, 30, c.text);
        ASSERT_EQ(pasted.outcome, TextPaste::Pasted) << c.what;
        ASSERT_EQ(pasted.channels, static_cast<int>(c.channels.size())) << c.what;
        for (std::size_t i = 0; i < c.channels.size(); ++i)
            EXPECT_EQ(CarriedBy(target, 30 + static_cast<int>(i)), c.channels[i]) << c.what << ", line " << i;
    }
}

TEST_F(ChannelClipboardTest, APasteWithABadLineOrPastChannel240ChangesNothing)
{
    const Block before = BytesOf(model);

    const TextPaste bad = PasteChannelText(model, 10, QStringLiteral("Frequency\tPower\r\n145.5\tHigh\r\n14x.5\tMedium\r\n"));
    EXPECT_EQ(bad.outcome, TextPaste::BadLines);
    ASSERT_EQ(bad.errors.size(), 2u);
    EXPECT_EQ(DescribeCsvError(bad.errors[0]),
              QStringLiteral("line 3, column Frequency: '14x.5' is not a frequency in MHz with at most six decimals"));
    EXPECT_EQ(DescribeCsvError(bad.errors[1]), QStringLiteral("line 3, column Power: 'Medium' is not High or Low"));

    const TextPaste noHeaderColumn = PasteChannelText(model, 10, QStringLiteral("Name\tFrequency\nA\t145.5\n").replace(QStringLiteral("Frequency"), QStringLiteral("Freq")));
    EXPECT_EQ(noHeaderColumn.outcome, TextPaste::BadLines) << "a first line without the Frequency column is a channel line";

    const TextPaste tooMany = PasteChannelText(model, 239, QStringLiteral("1\tA\t145.5\n2\tB\t145.6\n3\tC\t145.7\n"));
    EXPECT_EQ(tooMany.outcome, TextPaste::PastLastChannel);
    EXPECT_EQ(tooMany.channels, 3);

    for (const QString& empty : {QString(), QStringLiteral("\r\n\r\n"), QStringLiteral("Location\tFrequency\r\n")})
        EXPECT_EQ(PasteChannelText(model, 10, empty).outcome, TextPaste::NoChannels);
    EXPECT_EQ(BytesOf(model), before);
}
