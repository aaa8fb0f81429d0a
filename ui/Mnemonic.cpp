#include "ui/Mnemonic.h"

#include <algorithm>

namespace lt {

namespace {

bool hasHan(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Han; });
}

} // namespace

QString WithMnemonic(const QString& caption, QChar key)
{
    if (caption.contains(QLatin1Char('&')))
        return caption;
    if (!hasHan(caption)) {
        const qsizetype at = caption.indexOf(key, 0, Qt::CaseInsensitive);
        if (at >= 0)
            return caption.left(at) + QLatin1Char('&') + caption.mid(at);
    }
    const QString marked = QStringLiteral("(&") + key.toUpper() + QLatin1Char(')');
    const QString ellipsis = QStringLiteral("…");
    if (caption.endsWith(ellipsis))
        return caption.chopped(1) + marked + ellipsis;
    return caption + marked;
}

} // namespace lt
