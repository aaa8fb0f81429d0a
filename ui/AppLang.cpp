#include "ui/AppLang.h"

#include "ui/Big5Conversion.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace lt {
namespace {

constexpr int kTypeEnglish = 1;
constexpr int kTypeSimplified = 2;
constexpr int kTypeTraditional = 3;

QByteArray ToGbk(const char* utf8)
{
    QStringEncoder toGbk("GBK");
    return toGbk.encode(QString::fromUtf8(utf8));
}

} // namespace

int DetectLangType(const QLocale& locale)
{
    if (locale.language() != QLocale::Chinese)
        return kTypeEnglish;
    const bool simplified = locale.script() == QLocale::SimplifiedHanScript
        || locale.territory() == QLocale::China || locale.territory() == QLocale::Singapore;
    return simplified ? kTypeSimplified : kTypeTraditional;
}

TAppLang::TAppLang()
{
    fSetDetectType(0);
}

void TAppLang::fSetLangType(int type)
{
    type_ = type;
}

void TAppLang::fSetDetectType(int)
{
    type_ = DetectLangType(QLocale::system());
}

void TAppLang::SetInterfaceLanguage(int language)
{
    switch (language) {
    case 0: fSetLangType(kTypeEnglish); break;
    case 1: fSetLangType(kTypeSimplified); break;
    case 2: fSetLangType(kTypeTraditional); break;
    default: fSetDetectType(0); break;
    }
}

QByteArray TAppLang::GetText(const TextTable& table, int n) const
{
    const std::span<const char* const> texts = type_ == kTypeSimplified ? table.simplified
        : type_ == kTypeTraditional                                      ? table.traditional
                                                                         : table.english;
    if (n < 0 || static_cast<std::size_t>(n) >= texts.size())
        return {};
    // The Chinese tables hold the same characters as GBK would; the English
    // table is plain ASCII, which GBK leaves as it is.
    return FromGBK(ToGbk(texts[static_cast<std::size_t>(n)]));
}

QByteArray TAppLang::FromGBK(const QByteArray& text) const
{
    if (type_ != kTypeTraditional || !convert_)
        return text;
    return GbkToBig5(text);
}

QString TAppLang::toDisplay(const QByteArray& bytes) const
{
    // Widgets take Unicode, so the bytes are decoded here with their own
    // codec instead of the system's code page, which garbles Big5 text on a
    // GBK system and GBK text everywhere else.
    QStringDecoder decoder(type_ == kTypeTraditional && convert_ ? "Big5" : "GBK");
    return decoder.decode(bytes);
}

TAppLang& AppLang()
{
    static TAppLang lang;
    return lang;
}

} // namespace lt
