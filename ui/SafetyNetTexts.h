#pragma once

#include <QString>
#include <QStringList>

namespace lt {

struct TextTable;

// The texts of the commands added beside the radio's own ones (verify the
// radio, CSV import and export, undo and redo, the grid's clipboard and row
// commands, the recovery copy), in the three interface languages.
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
inline constexpr int Undo = 10;             // Edit menu item with nothing to undo
inline constexpr int UndoStep = 11;         // "Undo %1", %1 a step's name
inline constexpr int Redo = 12;
inline constexpr int RedoStep = 13;
inline constexpr int Cut = 14;              // Edit menu and grid menu items
inline constexpr int Copy = 15;
inline constexpr int Paste = 16;
inline constexpr int DeleteChannels = 17;
inline constexpr int InsertChannel = 18;
inline constexpr int RemoveChannels = 19;
inline constexpr int MoveUp = 20;
inline constexpr int MoveDown = 21;
inline constexpr int SortByFrequency = 22;
inline constexpr int SortByName = 23;
inline constexpr int Find = 24;
inline constexpr int FindNext = 25;
inline constexpr int GoToChannel = 26;
inline constexpr int OneChannel = 27;       // "channel %1"
inline constexpr int ChannelRange = 28;     // "channels %1–%2"
inline constexpr int FieldOf = 29;          // "%1 of %2": a field, a channel or a VFO side
inline constexpr int VfoSide = 30;          // "VFO %1"
inline constexpr int FirstChannelField = 31; // names of grid columns 1..12, in column order
inline constexpr int BatchSetOf = 43;       // step names; %1 is a channel or a range
inline constexpr int CsvImportStep = 44;
inline constexpr int PasteInto = 45;
inline constexpr int CutOf = 46;
inline constexpr int DeleteOf = 47;
inline constexpr int InsertAt = 48;
inline constexpr int RemoveOf = 49;
inline constexpr int MoveUpOf = 50;
inline constexpr int MoveDownOf = 51;
inline constexpr int SortByFrequencyOf = 52;
inline constexpr int SortByNameOf = 53;
inline constexpr int RadioPasswordStep = 54;
inline constexpr int NewRadioPasswordStep = 55;
inline constexpr int InsertRefused = 56;
inline constexpr int PastePastEnd = 57;     // %1 channels, %2 the first
inline constexpr int NothingPasted = 58;    // followed by the errors, one a line
inline constexpr int NoChannelsToPaste = 59;
inline constexpr int FindPrompt = 60;
inline constexpr int NotFound = 61;         // %1 the text looked for
inline constexpr int GoToPrompt = 62;
inline constexpr int RecoveryOffer = 63;    // %1 when the copy was kept
inline constexpr int Restore = 64;
inline constexpr int Discard = 65;
inline constexpr int RecoveryUnreadable = 66;
inline constexpr int FindTitle = 67;
inline constexpr int GoToTitle = 68;
inline constexpr int kEntries = 69;
} // namespace safety_text

const TextTable& SafetyNetTextTable();

// Entry n in the current interface language, ready for a widget.
QString SafetyNetText(int n);

// The lines of a list in a message, at most maxLines, then how many more.
QString MessageLines(const QStringList& lines, int maxLines);

} // namespace lt
