#pragma once

#include "ui/AppLang.h"

#include <QString>

namespace lt {

// Entries of the transfer dialog's own text table.
namespace transfer_text {
inline constexpr int Start = 0;
inline constexpr int Cancel = 1;
inline constexpr int CommunicationFailure = 2;
inline constexpr int Success = 3;
inline constexpr int PasswordError = 4;
inline constexpr int kEntries = 5;
} // namespace transfer_text

const TextTable& TransferTextTable();

// Entry n in the current interface language, ready for a widget.
inline QString TransferText(int n) { return AppLang().Text(TransferTextTable(), n); }

} // namespace lt
