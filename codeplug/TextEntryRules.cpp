#include "codeplug/TextEntryRules.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace lt {

namespace {

constexpr int kCutFreqTextAt = 10;
constexpr qsizetype kBatchPointPosition = 4;

bool isPrintableAscii(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() <= 0x7E;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString withoutLonePoint(const QString& text)
{
    return text == QLatin1String(".") ? QString() : text;
}

QString withoutExtraPoints(const QString& text)
{
    const qsizetype firstPoint = text.indexOf(QLatin1Char('.'));
    if (firstPoint < 0)
        return text;
    QString tail = text.mid(firstPoint + 1);
    tail.remove(QLatin1Char('.'));
    return text.left(firstPoint + 1) + tail;
}

// The GBK bytes of text, or nothing when GBK cannot encode it.
std::optional<QByteArray> gbkBytes(QStringView text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

// A character counts as encodable only when it gives bytes: an unpaired
// surrogate gives none and has no place in the record.
bool encodableInGbk(QStringView character)
{
    const std::optional<QByteArray> bytes = gbkBytes(character);
    return bytes && !bytes->isEmpty();
}

} // namespace

bool NumberKeyAccepted(QChar c)
{
    return !isPrintableAscii(c) || isDigit(c);
}

bool FreqKeyAccepted(QChar c)
{
    return c == QLatin1Char('.') || NumberKeyAccepted(c);
}

bool FreqKeyAccepted(QStringView keyText)
{
    return std::all_of(keyText.begin(), keyText.end(), [](QChar c) { return FreqKeyAccepted(c); });
}

std::optional<QChar> ToneKeyChar(QChar c)
{
    if (!isPrintableAscii(c) || isDigit(c))
        return c;
    switch (c.unicode()) {
    case u'D': case u'N': case u'I': case u'.':
        return c;
    case u'd': case u'n': case u'i':
        return c.toUpper();
    default:
        return std::nullopt;
    }
}

std::optional<QString> ToneKeyText(const QString& keyText)
{
    QString result;
    for (QChar c : keyText) {
        const std::optional<QChar> typed = ToneKeyChar(c);
        if (!typed)
            return std::nullopt;
        result += *typed;
    }
    return result;
}

bool NameKeyAccepted(QChar c)
{
    const char16_t u = c.unicode();
    return !((u >= 0x21 && u <= 0x29) || (u >= 0x7B && u <= 0x7E));
}

bool GbkCanHold(const QString& keyText)
{
    return gbkBytes(keyText).has_value();
}

bool NameKeyAllowed(const QString& keyText)
{
    return std::all_of(keyText.begin(), keyText.end(), [](QChar c) { return NameKeyAccepted(c); }) && GbkCanHold(keyText);
}

QString CorrectFreqText(const QString& text, int maxLength)
{
    return withoutLonePoint(withoutExtraPoints(text)).left(maxLength);
}

QString CutThenCorrectFreqText(const QString& text, LongFreqText cut)
{
    QString corrected = text;
    if (corrected.size() >= kCutFreqTextAt) {
        if (cut == LongFreqText::LosesLastCharacter)
            corrected.chop(1);
        else
            corrected.truncate(kCutFreqTextAt - 1);
    }
    return withoutExtraPoints(withoutLonePoint(corrected));
}

QString CorrectBatchFreqText(const QString& text)
{
    QString result = text;
    while (!result.isEmpty()) {
        const QChar last = result.back();
        const bool keep = result.size() > kFreqTextMax ? false
            : result.size() == kBatchPointPosition     ? (isDigit(last) || last == QLatin1Char('.'))
                                                       : isDigit(last);
        if (keep)
            break;
        result.chop(1);
    }
    return result;
}

QString CutToLength(const QString& text, int maxLength)
{
    return text.size() > maxLength ? text.left(maxLength) : text;
}

QString CorrectToneText(const QString& text)
{
    return CutToLength(text, kToneTextMax);
}

QString FitGbkText(const QString& text, int maxBytes)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, width);
        if (encodableInGbk(character))
            result.append(character);
        i += width - 1;
    }
    while (ToGbk(result).size() > maxBytes)
        result.chop(1);
    return result;
}

QByteArray ToGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

QString FromGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

bool ShowsStoredText(const QString& shown, const QByteArray& stored)
{
    return shown == FromGbk(stored);
}

} // namespace lt
