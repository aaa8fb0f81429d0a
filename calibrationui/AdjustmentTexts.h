#pragma once

#include "ui/AppLang.h"

#include <QString>

namespace lt {

// Entries of the calibration editor's own text table. Only these follow the
// interface language; every caption of the editor is fixed.
namespace adjustment_text {
inline constexpr int Ok = 0;
inline constexpr int Cancel = 1;
inline constexpr int OpenTitle = 22;
inline constexpr int SaveTitle = 23;
inline constexpr int ClearAllData = 24;
inline constexpr int kEntries = 25;
} // namespace adjustment_text

const TextTable& AdjustmentTextTable();

// Entry n in the current interface language, ready for a widget.
inline QString AdjustmentText(int n) { return AppLang().Text(AdjustmentTextTable(), n); }

} // namespace lt
