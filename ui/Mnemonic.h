#pragma once

#include <QChar>
#include <QString>

namespace lt {

// A menu caption with the mnemonic key, as the text tables write theirs: an
// English caption marks the first occurrence of the letter ("Set radio &new
// password"), a Chinese one (or one without the letter) gets it in brackets,
// before a closing ellipsis ("设置对讲机新密码(&N)", "导入 CSV(&I)…"). A caption
// that already has a mnemonic keeps it.
QString WithMnemonic(const QString& caption, QChar key);

} // namespace lt
