#include "codeplug/CodeplugDiff.h"

#include "codeplug/CodeplugDump.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/LittleEndian.h"
#include "codeplug/RadioImageLayout.h"
#include "codeplug/RadioImagePacking.h"
#include "codeplug/ValueEncodings.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <bitset>

namespace lt {

namespace {

// Every codeplug write sends the frequency-mode and settings areas in whole
// 16-byte blocks, so the settings range ends past the last setting.
constexpr int kAreaBlock = 16;
constexpr int kSettingsSentEnd = 0xB0B0;
static_assert(kSettingsSentEnd == (ri::kSettingsArea.last + kAreaBlock) / kAreaBlock * kAreaBlock);
constexpr int kTimeEnd = ri::WriteTime.end();

// How a value is shown: frequencies, offsets and tones as the editors show
// them, everything else as its number, text or bytes.
enum class Shown { Number, Text, Bytes, Frequency, Offset, Tone };

// A named stretch of the image, or some bits of one byte of it. A tone code
// is shown with the tone type kept in the bits typeMask of the byte at
// typeAddress.
struct Named {
    int address;
    int width;
    QString name;
    Shown shown = Shown::Number;
    uint8_t mask = 0xFF;
    int typeAddress = 0;
    uint8_t typeMask = 0;
};

int lowestBit(uint8_t mask)
{
    int shift = 0;
    while (((mask >> shift) & 1) == 0)
        ++shift;
    return shift;
}

QString showNumber(const uint8_t* p, const Named& named)
{
    if (named.mask != 0xFF)
        return QString::number((p[0] & named.mask) >> lowestBit(named.mask));
    return QString::number(le::get(p, static_cast<std::size_t>(named.width)));
}

// A text up to its first zero byte, in quotes: as the editors show it (GBK)
// when it is all printable GBK, else byte by byte with \xNN for what is not
// printable ASCII, so that no difference hides behind a look-alike.
QString showText(const uint8_t* p, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width && p[i] != 0; ++i)
        bytes += static_cast<char>(p[i]);
    QStringDecoder gbk("GBK", QStringConverter::Flag::Stateless);
    const QString decoded = gbk.decode(bytes);
    const bool printable = std::ranges::none_of(decoded, [](QChar c) { return c.category() == QChar::Other_Control; });
    if (!gbk.hasError() && printable)
        return QLatin1Char('"') + decoded + QLatin1Char('"');
    QString text = QStringLiteral("\"");
    for (const char byte : bytes) {
        const auto b = static_cast<uint8_t>(byte);
        text += b >= 0x20 && b < 0x7F ? QString(QChar(b)) : QStringLiteral("\\x%1").arg(b, 2, 16, QChar('0'));
    }
    return text + QStringLiteral("\"");
}

QString showValue(const RadioImage& image, const Named& named)
{
    const uint8_t* p = image.at(static_cast<std::size_t>(named.address));
    const auto number = [&] { return static_cast<uint32_t>(le::get(p, static_cast<std::size_t>(named.width))); };
    switch (named.shown) {
    case Shown::Number:
        return showNumber(p, named);
    case Shown::Frequency:
        return FreqToText(number());
    case Shown::Offset:
        return OffsetToText(number());
    case Shown::Tone: {
        const uint8_t type = *image.at(static_cast<std::size_t>(named.typeAddress)) & named.typeMask;
        return ToneToText(static_cast<uint16_t>(number()), static_cast<uint8_t>(type >> lowestBit(named.typeMask)));
    }
    case Shown::Text:
        return showText(p, named.width);
    case Shown::Bytes:
        break;
    }
    return QByteArray(reinterpret_cast<const char*>(p), named.width).toHex(' ');
}

// The fields of the first 16 bytes of a channel slot, which a frequency-mode
// side shares, at base with the given name prefix.
void addSlotHead(std::vector<Named>& out, int base, const QString& prefix)
{
    using namespace ri::slot;
    const auto at = [base](std::size_t offset) { return base + static_cast<int>(offset); };
    out.push_back({at(RxFreq), 4, prefix + QStringLiteral("RxFreq"), Shown::Frequency});
    out.push_back({at(TxFreq), 4, prefix + QStringLiteral("TxFreq"), Shown::Frequency});
    out.push_back({at(RxToneCode), 2, prefix + QStringLiteral("RxToneCode"), Shown::Tone, 0xFF, at(ToneByte), uint8_t(3u << kRxToneTypeShift)});
    out.push_back({at(TxToneCode), 2, prefix + QStringLiteral("TxToneCode"), Shown::Tone, 0xFF, at(ToneByte), uint8_t(3u << kTxToneTypeShift)});
    const struct {
        std::size_t offset;
        uint8_t mask;
        const char* name;
    } bits[] = {
        {Signalling, 0x07, "Ch_SquelchMode"}, {Signalling, 0x18, "ChInfor_BusyFit"},
        {Signalling, 0xE0, "signalling byte bits 5-7"},
        {Option, 0x01, "ChInfor_Dtmf"}, {Option, 0x02, "ChInfor_Comp"}, {Option, 0x0C, "ChInfor_JiaMi"},
        {Option, 0x10, "ChInfor_Bandwidth"}, {Option, 0x20, "ChInfor_Pow"}, {Option, 0x40, "option byte bit 6"},
        {Option, 0x80, "ChInfor_SCN"},
        {Scrambler, 0x0F, "ChInfor_Scr"}, {Scrambler, 0xF0, "scrambler byte bits 4-7"},
        {ToneByte, 0x03, "OffsetDir"}, {ToneByte, 0x0C, "tone byte bits 2-3"},
        {ToneByte, 0x30, "RxToneType"}, {ToneByte, 0xC0, "TxToneType"},
    };
    for (const auto& b : bits)
        out.push_back({at(b.offset), 1, prefix + QLatin1String(b.name), Shown::Number, b.mask});
}

std::vector<Named> areaFields()
{
    std::vector<Named> out;
    addSlotHead(out, ri::VfoA.address, QStringLiteral("VFO A "));
    addSlotHead(out, ri::VfoB.address, QStringLiteral("VFO B "));
    for (const ri::NumberPlace& n : ri::kFreqModeNumbers) {
        const bool offset = n.place.address == ri::Fr_Offset_A.address || n.place.address == ri::Fr_Offset_B.address;
        out.push_back({n.place.address, n.place.width, QLatin1String(n.field.name), offset ? Shown::Offset : Shown::Number});
    }
    for (const ri::NumberPlace& n : ri::kSettingNumbers)
        out.push_back({n.place.address, n.place.width, QLatin1String(n.field.name)});
    const struct {
        ri::Place place;
        const char* name;
        Shown shown;
    } others[] = {
        {ri::PowerOnMsg, "PowerOnMsg", Shown::Text},
        {ri::PowerOnMsg2Head, "PowerOnMsg2 (first 8 bytes)", Shown::Text},
        {ri::HuHao, "HuHao", Shown::Text},
        {ri::VBandMin, "VBandMin", Shown::Frequency},
        {ri::VBandMax, "VBandMax", Shown::Frequency},
        {ri::UBandMin, "UBandMin", Shown::Frequency},
        {ri::UBandMax, "UBandMax", Shown::Frequency},
        {ri::AniCodes, "ANI", Shown::Bytes},
        {ri::AniCount, "ANI digit count", Shown::Number},
        {ri::PowerOnMsg2, "PowerOnMsg2", Shown::Text},
    };
    for (const auto& o : others)
        out.push_back({o.place.address, o.place.width, QLatin1String(o.name), o.shown});
    return out;
}

bool marks(const RadioImage& image, int channel)
{
    return (*image.at(ri::ChannelUsedMap.address + static_cast<std::size_t>(channel / 8)) >> (channel % 8)) & 1;
}

class Comparison {
public:
    Comparison(const RadioImage& toWrite, const RadioImage& read) : toWrite_(toWrite), read_(read) {}

    void field(const Named& named)
    {
        bool differs = false;
        for (int i = 0; i < named.width; ++i) {
            const auto a = static_cast<std::size_t>(named.address + i);
            covered_.set(a);
            differs |= ((toWrite_.bytes[a] ^ read_.bytes[a]) & named.mask) != 0;
        }
        if (!differs)
            return;
        const QString file = showValue(toWrite_, named);
        const QString radio = showValue(read_, named);
        if (file != radio) {
            differences_.push_back({named.name, file, radio});
            return;
        }
        // A text ends at its first zero byte; what lies behind it is never
        // shown. Any other value that shows alike on both sides (a frequency
        // beyond what its text holds) is listed by its numbers.
        if (named.shown != Shown::Text && named.shown != Shown::Bytes)
            differences_.push_back({named.name, showNumber(toWrite_.at(static_cast<std::size_t>(named.address)), named),
                                    showNumber(read_.at(static_cast<std::size_t>(named.address)), named)});
    }

    // Bytes of a sent range that no field names: compared one by one.
    void rest(int first, int end)
    {
        for (int a = first; a < end; ++a) {
            if (covered_.test(static_cast<std::size_t>(a)))
                continue;
            field({a, 1, QStringLiteral("byte 0x") + QString::number(a, 16).toUpper().rightJustified(4, QChar('0'))});
        }
    }

    std::vector<FieldDifference> take() { return std::move(differences_); }

private:
    const RadioImage& toWrite_;
    const RadioImage& read_;
    std::bitset<RadioImage::kSize> covered_;
    std::vector<FieldDifference> differences_;
};

// Fields of the block that a write sends; everything else named stays in
// the file. The channel records, the frequency-mode sides and the channel map
// travel as parts of the image.
bool sentToRadio(const cp::Field& field)
{
    const auto same = [&field](const cp::Field& other) { return other.offset == field.offset; };
    const auto sentNumber = [&same](const ri::NumberPlace& n) { return same(n.field); };
    const cp::Field sentWhole[] = {cp::Channels, cp::VfoA, cp::VfoB, cp::ChannelUsedMap,
                                   cp::PowerOnMsg, cp::PowerOnMsg2, cp::HuHao, cp::ANI};
    return std::any_of(std::begin(sentWhole), std::end(sentWhole), same)
        || std::any_of(std::begin(ri::kSettingNumbers), std::end(ri::kSettingNumbers), sentNumber)
        || std::any_of(std::begin(ri::kFreqModeNumbers), std::end(ri::kFreqModeNumbers), sentNumber);
}

} // namespace

RadioImage ImageToWrite(const CodeplugModel& model)
{
    CodeplugModel copy = model;
    RadioImage image;
    GetDataForWrite(
        copy, image, [] { return ProgrammingTime{}; }, [](std::span<uint8_t> out) { std::fill(out.begin(), out.end(), 0); });
    return image;
}

std::vector<FieldDifference> CompareRadioImages(const RadioImage& toWrite, const RadioImage& read)
{
    Comparison comparison(toWrite, read);

    for (int n = 0; n < static_cast<int>(ri::ChannelUsedMap.width) * 8; ++n) {
        const QString name = n >= 1 && n <= cp::kChannelCount ? QStringLiteral("ChannelUsedMap channel %1").arg(n)
                                                              : QStringLiteral("ChannelUsedMap bit %1").arg(n);
        comparison.field({n / 8, 1, name, Shown::Number, static_cast<uint8_t>(1u << (n % 8))});
    }

    for (int n = 1; n <= cp::kChannelCount; ++n) {
        if (!marks(toWrite, n) || !marks(read, n))
            continue;
        const int base = ChannelSlotAddress(n);
        std::vector<Named> slot;
        addSlotHead(slot, base, QStringLiteral("channel %1 ").arg(n));
        slot.push_back({base + static_cast<int>(ri::slot::ChName), static_cast<int>(ri::slot::kNameSize),
                        QStringLiteral("channel %1 ChName").arg(n), Shown::Text});
        for (const Named& named : slot)
            comparison.field(named);
    }

    for (const Named& named : areaFields())
        comparison.field(named);
    comparison.rest(ri::kFreqModeArea.first, ri::kFreqModeArea.last + 1);
    comparison.rest(kTimeEnd, kSettingsSentEnd);
    return comparison.take();
}

std::vector<FieldDifference> CompareCodeplugs(const CodeplugModel& a, const CodeplugModel& b)
{
    std::vector<FieldDifference> differences = CompareRadioImages(ImageToWrite(a), ImageToWrite(b));
    for (const cp::Field& field : cp::kAllFields) {
        if (field.kind == cp::FieldKind::Reserved || sentToRadio(field))
            continue;
        // As shown: a text's bytes behind its end and the codes of a DTMF
        // code behind its digit count are never used.
        const QString shownA = FieldValueText(a, field);
        const QString shownB = FieldValueText(b, field);
        if (shownA != shownB)
            differences.push_back({QLatin1String(field.name), shownA, shownB});
    }
    return differences;
}

QString DescribeDifference(const FieldDifference& difference)
{
    return DescribeDifference(difference, QStringLiteral("file"), QStringLiteral("radio"));
}

QString DescribeDifference(const FieldDifference& difference, const QString& first, const QString& second)
{
    return QStringLiteral("%1: %2 %3, %4 %5").arg(difference.field, first, difference.file, second, difference.radio);
}

DifferencePlace PlaceOf(const FieldDifference& difference)
{
    static const QRegularExpression channelField(QStringLiteral("^channel (\\d+) (.+)$"));
    static const QRegularExpression usedMap(QStringLiteral("^(ChannelUsedMap) channel (\\d+)$"));
    static const QRegularExpression vfoField(QStringLiteral("^VFO ([AB]) (.+)$"));
    if (const auto match = channelField.match(difference.field); match.hasMatch())
        return {match.captured(1).toInt(), QChar(), match.captured(2)};
    if (const auto match = usedMap.match(difference.field); match.hasMatch())
        return {match.captured(2).toInt(), QChar(), match.captured(1)};
    if (const auto match = vfoField.match(difference.field); match.hasMatch())
        return {0, match.captured(1).front(), match.captured(2)};
    return {0, QChar(), difference.field};
}

} // namespace lt
