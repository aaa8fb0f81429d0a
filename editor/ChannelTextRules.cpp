#include "editor/ChannelTextRules.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lt {

namespace {

constexpr int kFreqTextMax = 9;
constexpr int kToneTextMax = 5;

bool isPrintableAscii(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() <= 0x7E;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Drops the last character, taking a surrogate pair as one character.
void chopLastCharacter(QString& text)
{
    if (text.size() >= 2 && text.back().isLowSurrogate() && text.at(text.size() - 2).isHighSurrogate())
        text.chop(2);
    else
        text.chop(1);
}

std::optional<QByteArray> toGbk(QStringView text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace

bool FreqKeyAllowed(const QString& keyText)
{
    for (QChar c : keyText) {
        if (isPrintableAscii(c) && !isDigit(c) && c != QLatin1Char('.'))
            return false;
    }
    return true;
}

std::optional<QString> ToneKeyText(const QString& keyText)
{
    QString result;
    for (QChar c : keyText) {
        if (!isPrintableAscii(c) || isDigit(c) || c == QLatin1Char('.')) {
            result += c;
            continue;
        }
        switch (c.toLatin1()) {
        case 'D': case 'N': case 'I':
            result += c;
            break;
        case 'd': case 'n': case 'i':
            result += c.toUpper();
            break;
        default:
            return std::nullopt;
        }
    }
    return result;
}

bool NameKeyAllowed(const QString& keyText)
{
    for (QChar c : keyText) {
        const char16_t u = c.unicode();
        if ((u >= 0x21 && u <= 0x29) || (u >= 0x7B && u <= 0x7E))
            return false;
    }
    return toGbk(keyText).has_value();
}

QString CorrectFreqText(const QString& text)
{
    QString result = text;
    const qsizetype firstPoint = result.indexOf(QLatin1Char('.'));
    if (firstPoint >= 0) {
        for (qsizetype i = result.size() - 1; i > firstPoint; --i) {
            if (result.at(i) == QLatin1Char('.'))
                result.remove(i, 1);
        }
    }
    if (result == QLatin1String("."))
        result.clear();
    while (result.size() > kFreqTextMax)
        result.chop(1);
    return result;
}

QString CorrectBatchFreqText(const QString& text)
{
    QString result = text;
    while (!result.isEmpty()) {
        const QChar last = result.back();
        const bool keep = result.size() > kFreqTextMax ? false
            : result.size() == 4                      ? (isDigit(last) || last == QLatin1Char('.'))
                                                      : isDigit(last);
        if (keep)
            break;
        result.chop(1);
    }
    return result;
}

QString CorrectToneText(const QString& text)
{
    return text.size() > kToneTextMax ? text.left(kToneTextMax) : text;
}

QString CorrectNameText(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView character = QStringView(text).mid(i, length);
        if (toGbk(character))
            result += character;
        i += length - 1;
    }
    while (NameToGbk(result).size() > kChannelNameBytes)
        chopLastCharacter(result);
    return result;
}

QByteArray NameToGbk(const QString& name)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(name);
}

QString NameFromGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

} // namespace lt
