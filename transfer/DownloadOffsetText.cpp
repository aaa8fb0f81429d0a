#include "transfer/DownloadOffsetText.h"

namespace lt {

namespace {
constexpr char16_t kFirstPrintable = 0x20;
constexpr char16_t kDel = 0x7F;

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return 0;
}
} // namespace

bool DataOffsetKeyAllowed(char16_t key)
{
    return key < kFirstPrintable || key == kDel || (key >= u'0' && key <= u'9') || (key >= u'A' && key <= u'F')
        || (key >= u'a' && key <= u'f');
}

int32_t ParseDataOffset(const QString& text)
{
    // Unsigned arithmetic: a long pasted text wraps instead of overflowing.
    uint32_t value = 0;
    for (const QChar c : text)
        value = value * 16u + static_cast<uint32_t>(HexDigit(c));
    return static_cast<int32_t>(value);
}

QString DataOffsetText(int32_t value)
{
    return QString::number(static_cast<uint32_t>(value), 16).toUpper();
}

} // namespace lt
