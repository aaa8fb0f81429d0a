#include "codeplug/ValueEncodings.h"

#include "codeplug/ConversionError.h"

#include <algorithm>
#include <limits>

namespace lt {

namespace {

constexpr uint32_t kMHz = 1000000;

QChar digitOf(uint32_t value, uint32_t power)
{
    return QChar(static_cast<char16_t>(u'0' + (value / power) % 10));
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
int digitValue(QChar c) { return c.unicode() - u'0'; }

// A non-empty run of decimal digits whose value fits a 32-bit signed integer.
std::optional<uint32_t> parseInt32(QStringView s)
{
    if (s.isEmpty())
        return std::nullopt;
    uint64_t value = 0;
    for (QChar c : s) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(digitValue(c));
        if (value > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

uint32_t saturate(uint64_t value)
{
    return static_cast<uint32_t>(std::min<uint64_t>(value, std::numeric_limits<uint32_t>::max()));
}

} // namespace

QString FreqToText(uint32_t hz)
{
    if (hz == 0)
        return QStringLiteral("0");
    QString text;
    text.reserve(9);
    text += digitOf(hz, 100000000);
    text += digitOf(hz, 10000000);
    text += digitOf(hz, 1000000);
    text += QLatin1Char('.');
    for (uint32_t power = 100000; power >= 10; power /= 10)
        text += digitOf(hz, power);
    return text;
}

QString OffsetToText(uint32_t hz)
{
    if (hz == 0)
        return QStringLiteral("0");
    QString text;
    if ((hz / 10000000) % 10 != 0)
        text += digitOf(hz, 10000000);
    text += digitOf(hz, 1000000);
    text += QLatin1Char('.');
    for (uint32_t power = 100000; power >= 10; power /= 10)
        text += digitOf(hz, power);
    return text;
}

uint32_t TextToFreq(const QString& text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point < 0) {
        const auto whole = parseInt32(text);
        if (!whole)
            throw ConversionError::notInteger(text.toStdString());
        return saturate(uint64_t{*whole} * kMHz);
    }

    const QStringView fractionText = QStringView(text).mid(point + 1);
    const auto fraction = parseInt32(fractionText);
    if (!fraction)
        throw ConversionError::notFloat(text.toStdString());
    if (point == 0) // ".5" is read as 5 MHz
        return saturate(uint64_t{*fraction} * kMHz);

    const auto whole = parseInt32(QStringView(text).left(point));
    if (!whole)
        throw ConversionError::notFloat(text.toStdString());
    uint64_t hz = uint64_t{*fraction};
    if (fractionText.size() <= 6) {
        for (qsizetype n = fractionText.size(); n < 6; ++n)
            hz *= 10;
    }
    return saturate(uint64_t{*whole} * kMHz + hz);
}

uint32_t ClampToBands(uint32_t hz, const BandLimits& bands)
{
    if (hz < bands.VBandMin)
        hz = bands.VBandMin;
    else if (hz > bands.VBandMax && hz < bands.UBandMin)
        hz = bands.VBandMax;
    else if (hz > bands.UBandMax)
        hz = bands.UBandMax;
    return FloorTo500(hz);
}

uint32_t ClampToRange(uint32_t hz)
{
    return FloorTo500(std::clamp<uint32_t>(hz, 134000000u, 520000000u));
}

uint32_t ClampStep(uint32_t hz)
{
    return FloorTo500(hz >= 10000000u ? 0u : hz);
}

uint32_t ClampOffset(uint32_t hz, uint32_t uOffsetMax, uint32_t vOffsetMax)
{
    if (hz > uOffsetMax && hz > vOffsetMax)
        hz = vOffsetMax;
    return FloorTo500(hz);
}

QString ToneToText(uint16_t code, uint8_t type)
{
    if (code == 0 || code == kToneCodeNone || type == kToneNone)
        return QStringLiteral("Off");
    switch (type) {
    case kToneCtcss:
        return QStringLiteral("%1.%2").arg(code / 10).arg(code % 10);
    case kToneDcsNormal:
    case kToneDcsInverted:
        // The last three octal digits of the code; normal uses all 16 bits,
        // inverted the low 15, which ends in the same three digits.
        return QStringLiteral("D%1%2")
            .arg(code & 0777, 3, 8, QLatin1Char('0'))
            .arg(type == kToneDcsNormal ? QLatin1Char('N') : QLatin1Char('I'));
    default:
        return {};
    }
}

std::optional<Tone> TextToTone(const QString& s)
{
    if (s.isEmpty() || s == ToneList().first())
        return Tone{kToneCodeNone, kToneNone};

    const qsizetype length = s.size();
    if (length >= 5 && (s[4] == QLatin1Char('N') || s[4] == QLatin1Char('I'))) {
        if (s[0] != QLatin1Char('D'))
            return std::nullopt;
        uint16_t number = 0;
        for (int i = 1; i <= 3; ++i) {
            if (s[i] < QLatin1Char('0') || s[i] > QLatin1Char('7'))
                return std::nullopt;
            number = static_cast<uint16_t>(number * 8 + digitValue(s[i]));
        }
        return Tone{static_cast<uint16_t>(kDcsCodeBase + number),
                    s[4] == QLatin1Char('N') ? kToneDcsNormal : kToneDcsInverted};
    }

    if (length < 2 || length > 5)
        return std::nullopt;
    const QChar first = s[0];
    if (!isDigit(first) || first == QLatin1Char('3') || first == QLatin1Char('4') || first == QLatin1Char('5'))
        return std::nullopt;
    if (!isDigit(s[1]))
        return std::nullopt;
    const QChar point = QLatin1Char('.');
    auto digitOrPoint = [&](QChar c) { return isDigit(c) || c == point; };
    if (length == 3 && !digitOrPoint(s[2]))
        return std::nullopt;
    if (length >= 4) {
        if (!digitOrPoint(s[2]) || !digitOrPoint(s[3]))
            return std::nullopt;
        if (s[2] == point && s[3] == point)
            return std::nullopt;
        if (s[2] != point && s[3] != point)
            return std::nullopt;
    }
    if (length == 5 && !isDigit(s[4]))
        return std::nullopt;

    // Tenths: the digits before and after the point read as one number, times
    // ten when no digit follows the point ("67" and "67.0" both give 670).
    uint32_t tenths = 0;
    bool decimals = false;
    bool afterPoint = false;
    for (QChar c : s) {
        if (c == point) {
            afterPoint = true;
            continue;
        }
        tenths = tenths * 10 + static_cast<uint32_t>(digitValue(c));
        decimals = decimals || afterPoint;
    }
    if (!decimals)
        tenths *= 10;
    if (tenths < 300 || tenths > 2600)
        return std::nullopt;
    return Tone{static_cast<uint16_t>(tenths), kToneCtcss};
}

bool IsStandardTone(uint16_t code, uint8_t type)
{
    switch (type) {
    case kToneNone:
        return true;
    case kToneCtcss:
        return std::ranges::find(kCtcssTones, code) != kCtcssTones.end();
    case kToneDcsNormal:
    case kToneDcsInverted:
        return std::ranges::find(kDcsCodeTable, code) != kDcsCodeTable.end();
    default:
        return false;
    }
}

namespace {

uint8_t dtmfCode(char16_t c)
{
    switch (c) {
    case u'#': return 15;
    case u'*': return 14;
    case u'A': return 10;
    case u'B': return 11;
    case u'C': return 12;
    case u'D': return 13;
    default: return static_cast<uint8_t>(c - 48);
    }
}

QChar dtmfChar(uint8_t code)
{
    switch (code) {
    case 15: return QLatin1Char('#');
    case 14: return QLatin1Char('*');
    case 10: case 11: case 12: case 13:
        return QChar(static_cast<char16_t>(u'A' + (code - 10)));
    default:
        return QChar(static_cast<char16_t>(static_cast<uint8_t>(code + 48)));
    }
}

} // namespace

QByteArray DtmfToCodes(const QString& digits)
{
    QByteArray codes;
    codes.reserve(digits.size());
    for (QChar c : digits)
        codes.append(static_cast<char>(dtmfCode(c.unicode())));
    return codes;
}

QByteArray DtmfToCodes(const QByteArray& digits)
{
    QByteArray codes;
    codes.reserve(digits.size());
    for (char c : digits)
        codes.append(static_cast<char>(dtmfCode(static_cast<uint8_t>(c))));
    return codes;
}

QString CodesToDtmf(const uint8_t* codes, int count)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text += dtmfChar(codes[i]);
    return text;
}

QString CodesToDtmf(const QByteArray& codes)
{
    return CodesToDtmf(reinterpret_cast<const uint8_t*>(codes.constData()), static_cast<int>(codes.size()));
}

} // namespace lt
