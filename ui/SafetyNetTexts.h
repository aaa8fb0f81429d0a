#pragma once

#include <QString>

namespace lt {

struct TextTable;

// The texts of the commands added beside the radio's own ones (verify the
// radio, CSV import and export), in the three interface languages.
namespace safety_text {
inline constexpr int VerifyRadio = 0;       // Edit menu item
inline constexpr int ImportCsv = 1;         // File menu item
inline constexpr int ExportCsv = 2;         // File menu item
inline constexpr int RadioMatches = 3;
inline constexpr int RadioDiffers = 4;      // followed by the fields, one a line
inline constexpr int NothingImported = 5;   // followed by the errors, one a line
inline constexpr int InexactChannels = 6;   // followed by the channels, one a line
inline constexpr int CannotReadFile = 7;
inline constexpr int CannotWriteFile = 8;
inline constexpr int MoreLines = 9;         // "... and %1 more"
inline constexpr int kEntries = 10;
} // namespace safety_text

const TextTable& SafetyNetTextTable();

// Entry n in the current interface language, ready for a widget.
QString SafetyNetText(int n);

} // namespace lt
