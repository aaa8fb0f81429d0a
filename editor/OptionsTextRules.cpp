#include "editor/OptionsTextRules.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lt::options {

namespace {

bool isPrintableAscii(QChar c) { return c.unicode() >= 0x20 && c.unicode() <= 0x7E; }

bool encodableInGbk(const QString& character)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(character);
    return !encoder.hasError() && !bytes.isEmpty();
}

} // namespace

bool FreqKeyAccepted(QChar c)
{
    if (!isPrintableAscii(c))
        return true;
    return c.isDigit() || c == u'.';
}

std::optional<QChar> ToneKeyChar(QChar c)
{
    if (!isPrintableAscii(c) || (c >= u'0' && c <= u'9'))
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

bool NameKeyAccepted(QChar c)
{
    const char16_t u = c.unicode();
    return !((u >= 0x21 && u <= 0x29) || (u >= 0x7B && u <= 0x7E));
}

QString CorrectFreqText(const QString& text, int maxLength)
{
    if (text == QStringLiteral("."))
        return {};
    QString result;
    result.reserve(text.size());
    bool seenPoint = false;
    for (QChar c : text) {
        if (c == u'.') {
            if (seenPoint)
                continue;
            seenPoint = true;
        }
        result.append(c);
    }
    result.truncate(maxLength);
    return result;
}

QString CorrectToneText(const QString& text)
{
    return text.left(kToneTextLimit);
}

QString FitGbkText(const QString& text, int maxBytes)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
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
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString FromGbk(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace lt::options
