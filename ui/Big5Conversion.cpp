#include "ui/Big5Conversion.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <memory>

namespace lt {
namespace {

constexpr uint8_t kTopBit = 0x80;

// The converters are reused for all positions; their error flags stay set
// once raised, so every step is checked by converting back instead.
struct Codecs {
    static constexpr auto kFlags = QStringConverter::Flag::Stateless;
    QStringDecoder fromGbk{"GBK", kFlags};
    QStringEncoder toGbk{"GBK", kFlags};
    QStringEncoder toBig5{"Big5", kFlags};
    QStringDecoder fromBig5{"Big5", kFlags};
};

// User-defined (private use) positions of the two character sets hold
// different characters on every system, so they are no correspondence.
bool IsOneSharedCharacter(const QString& text)
{
    if (text.size() == 1)
        return text.at(0) != QChar::ReplacementCharacter && text.at(0).category() != QChar::Other_PrivateUse;
    return text.size() == 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate()
        && QChar::category(QChar::surrogateToUcs4(text.at(0), text.at(1))) != QChar::Other_PrivateUse;
}

// The Big5 code of the one character that the GBK bytes stand for, or
// nothing. Codec substitutes (replacement characters, '?') never count: each
// conversion must lead back to the very bytes or character it came from.
bool Big5ForGbkPair(Codecs& codecs, uint8_t lead, uint8_t trail, Big5TableEntry& out)
{
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const QByteArray gbk(bytes, 2);
    const QString character = codecs.fromGbk.decode(gbk);
    if (!IsOneSharedCharacter(character) || QByteArray(codecs.toGbk.encode(character)) != gbk)
        return false;

    const QByteArray big5 = codecs.toBig5.encode(character);
    if (big5.size() != 2 || !IsGbkLead(static_cast<uint8_t>(big5[0]))
        || QString(codecs.fromBig5.decode(big5)) != character)
        return false;

    out = {static_cast<uint8_t>(big5[0]), static_cast<uint8_t>(big5[1])};
    return true;
}

std::unique_ptr<Big5Table> BuildTable()
{
    Codecs codecs;
    auto table = std::make_unique<Big5Table>();
    for (int lead = kGbkLeadFirst; lead <= kGbkLeadLast; ++lead) {
        for (int trail = kGbkTrailFirst; trail <= kGbkTrailLast; ++trail) {
            const auto leadByte = static_cast<uint8_t>(lead);
            const auto trailByte = static_cast<uint8_t>(trail);
            Big5TableEntry code{leadByte, trailByte};
            Big5ForGbkPair(codecs, leadByte, trailByte, code);
            code[0] ^= kTopBit;
            (*table)[Big5TableIndex(leadByte, trailByte)] = code;
        }
    }
    return table;
}

} // namespace

const Big5Table& GbkToBig5Table()
{
    static const std::unique_ptr<Big5Table> table = BuildTable();
    return *table;
}

QByteArray GbkToBig5(const QByteArray& gbk)
{
    QByteArray big5 = gbk;
    const Big5Table& table = GbkToBig5Table();
    for (qsizetype i = 0; i + 1 < big5.size(); ++i) {
        const auto lead = static_cast<uint8_t>(big5[i]);
        const auto trail = static_cast<uint8_t>(big5[i + 1]);
        if (!IsGbkLead(lead) || !IsGbkTrail(trail))
            continue;
        const Big5TableEntry& entry = table[Big5TableIndex(lead, trail)];
        big5[i] = static_cast<char>(entry[0] ^ kTopBit);
        big5[i + 1] = static_cast<char>(entry[1]);
        ++i;
    }
    return big5;
}

} // namespace lt
