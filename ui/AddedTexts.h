#pragma once

#include <QString>
#include <QStringList>

namespace lt {

struct TextTable;

// The texts of everything the program adds beside the radio's own tables: the
// captions of its added commands and every message it shows that the radio's
// tables have no entry for. Each entry has a name and its three languages side
// by side; a new command or message adds its entry here.
enum class Added {
    VerifyRadio,          // Edit menu item, and the title of its transfer
    ImportCsv,            // File menu item, and the title of its file dialog
    ExportCsv,            // File menu item, and the title of its file dialog
    RadioMatches,
    RadioDiffers,         // followed by the fields, one a line
    FieldDiffers,         // field, what a write sends, what the radio holds
    NothingImported,      // followed by the errors, one a line
    CsvErrorInLine,       // line, what is wrong
    CsvErrorInColumn,     // line, column, what is wrong
    InexactChannels,      // followed by the channels, one a line
    CannotReadFile,
    CannotWriteFile,
    MoreLines,            // how many more
    CannotSaveFile,       // file, why
    ShortCalibrationFile, // file, its size, the size of a calibration file
    BackupNotKept,        // folder, why
    ConfigNotWritten,     // file, why
    NotAFloat,            // the text
    NotAnInteger,         // the text
    UnexpectedError,
    Print,                // File menu item
    ExportPdf,            // File menu item
    CompareWithFile,      // File menu item
    ReadFromRadioAt,      // printout title: the time of the read
    NewCodeplug,          // printout title of a codeplug from no file or radio
    PageOf,               // page, pages
    VfoSide,              // "A" or "B": printout heading, compare list
    CompareTitle,         // the file compared with
    ChannelColumn,        // compare list columns
    FieldColumn,
    ThisCodeplugColumn,
    FileColumn,
    CodeplugsEqual,
    CannotPrint,
    Undo,
    UndoStep,
    Redo,
    RedoStep,
    Cut,
    Copy,
    Paste,
    DeleteChannels,
    InsertChannel,
    RemoveChannels,
    MoveUp,
    MoveDown,
    SortByFrequency,
    SortByName,
    Find,
    FindNext,
    GoToChannel,
    OneChannel,
    ChannelRange,
    FieldOf,
    RxFrequencyField,
    TxFrequencyField,
    DecodeToneField,
    EncodeToneField,
    PowerField,
    BandwidthField,
    ScanField,
    BusyLockField,
    SpecialDcsField,
    CompanderField,
    ScramblerField,
    NameField,
    BatchSetOf,
    CsvImportStep,
    PasteInto,
    CutOf,
    DeleteOf,
    InsertAt,
    RemoveOf,
    MoveUpOf,
    MoveDownOf,
    SortByFrequencyOf,
    SortByNameOf,
    RadioPasswordStep,
    NewRadioPasswordStep,
    InsertRefused,
    PastePastEnd,
    NothingPasted,
    NoChannelsToPaste,
    FindPrompt,
    NotFound,
    GoToPrompt,
    RecoveryOffer,
    Restore,
    Discard,
    RecoveryUnreadable,
    FindTitle,
    GoToTitle,
    // What is wrong with a line of a channel list, in the order of CsvProblem.
    CsvNulByte,
    CsvTextAfterQuote,
    CsvStrayQuote,
    CsvUnclosedQuote,
    CsvNoHeader,
    CsvNoSuchColumn,
    CsvChannelTwice,
    CsvNoFrequency,
    CsvNotFrequency,
    CsvNotCtcss,
    CsvNotDcs,
    CsvNotPolarity,
    CsvNotToneMode,
    CsvNotEitherOf,
    CsvNotEmptyOr,
    CsvNotChannelNumber,
    CsvNameNotShowable,
    CsvNameTooLong,
    CsvFrequencyOutsideBands,
    CsvTransmitOutsideBands,
    CsvNotDuplex,
    CsvNotStep,
    kCount
};

const TextTable& AddedTextTable();

// The entry in the current interface language, ready for a widget.
QString AddedText(Added entry);

// The lines of a list in a message, at most maxLines, then how many more
// (with those the list itself left out).
QString MessageLines(const QStringList& lines, int maxLines, int leftOut = 0);

} // namespace lt
