#pragma once

#include <QString>

namespace lt {

struct TextTable;

// The texts of the commands added beside the radio's own ones (verify the
// radio, CSV import and export, print, PDF, compare with a file), in the three
// interface languages.
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
inline constexpr int Print = 10;            // File menu item
inline constexpr int ExportPdf = 11;        // File menu item
inline constexpr int CompareWithFile = 12;  // File menu item
inline constexpr int ReadFromRadioAt = 13;  // printout title: "%1" is the time of the read
inline constexpr int NewCodeplug = 14;      // printout title of a codeplug from no file or radio
inline constexpr int PageOf = 15;           // "Page %1 of %2"
inline constexpr int VfoSide = 16;          // "VFO %1": printout heading, compare list
inline constexpr int CompareTitle = 17;     // "%1" is the file compared with
inline constexpr int ChannelColumn = 18;    // compare list columns
inline constexpr int FieldColumn = 19;
inline constexpr int ThisCodeplugColumn = 20;
inline constexpr int FileColumn = 21;
inline constexpr int CodeplugsEqual = 22;
inline constexpr int CannotPrint = 23;
inline constexpr int kEntries = 24;
} // namespace safety_text

const TextTable& SafetyNetTextTable();

// Entry n in the current interface language, ready for a widget.
QString SafetyNetText(int n);

} // namespace lt
