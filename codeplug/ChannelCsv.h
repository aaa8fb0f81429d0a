#pragma once

#include "codeplug/ToneTables.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace lt {

class CodeplugModel;
struct BandLimits;

// Channel lists in the comma-separated columns radio tools commonly exchange.
// The rules between a row and a channel record are in docs/csv.md.
const QStringList& ChannelCsvColumns();

struct CsvExport {
    QByteArray text;      // UTF-8, header line first, one line per channel in use
    QStringList warnings; // channels whose tones the columns cannot carry exactly
};

// One line per channel in use, in channel order.
CsvExport ExportChannelsCsv(const CodeplugModel& model);

// The same columns for the given channels (those in use among them, in the
// given order) with another separator: the grid copies channels as
// tab-separated text.
CsvExport ExportChannels(const CodeplugModel& model, const std::vector<int>& channels, QChar separator);

// What can be wrong with a channel list. Each has an English text here, with
// %1… for the values it names; the window shows the same in its language.
enum class CsvProblem {
    NulByte,
    TextAfterQuote,
    StrayQuote,
    UnclosedQuote,         // the line the field starts on
    NoHeader,
    NoSuchColumn,
    ChannelTwice,          // channel, the line it is first on
    NoFrequency,
    NotFrequency,          // the cell
    NotCtcss,              // the cell
    NotDcs,                // the cell
    NotPolarity,           // the cell
    NotToneMode,           // the cell
    NotEitherOf,           // the cell, the two words
    NotEmptyOr,            // the cell, the word
    NotChannelNumber,      // the cell, the last channel
    NameNotShowable,       // the cell
    NameTooLong,           // the cell, the bytes a name has room for
    FrequencyOutsideBands, // the frequency, the V band, the U band
    TransmitOutsideBands,  // the V band, the U band
    NotDuplex,             // the cell
    NotStep,               // the cell
    kCount
};

// A problem's English text.
QString CsvProblemText(CsvProblem problem);
// A problem's text with its values put in.
QString FillCsvValues(const QString& text, const QStringList& values);

struct CsvError {
    int line = 0;   // 1 is the header line
    QString column; // empty when the whole line is meant
    CsvProblem problem = CsvProblem::NoHeader;
    QStringList values; // cells are quoted and cut as a message shows them
    QString message() const { return FillCsvValues(CsvProblemText(problem), values); }
};

// An import lists at most this many errors and counts the rest: a file that
// is wrong on every line says so in a hundred lines, not in a million.
inline constexpr int kMaxListedCsvErrors = 100;

struct CsvImport {
    std::vector<CsvError> errors; // the first kMaxListedCsvErrors, by line
    int unlistedErrors = 0;       // the errors after those
    int channels = 0;
    bool ok() const { return errors.empty(); }
    int errorCount() const { return static_cast<int>(errors.size()) + unlistedErrors; }
};

// Reads RFC 4180 text strictly: a quoted field that is never closed, text
// after a closing quote, a quote inside an unquoted field and a NUL byte are
// errors of their line, and then no value is looked at. Error messages quote
// at most the first 40 characters of a cell.
//
// Reads the columns by their header names (unknown columns are ignored) and,
// only when every line is good, makes the file's channels the model's channel
// list: channels not in the file are no longer in use. A channel that was in
// use keeps what the columns do not carry (squelch mode, busy lock-out, DTMF,
// compander, special DCS, scrambler); a new one starts from the new-channel
// values. With any error nothing changes.
CsvImport ImportChannelsCsv(const QByteArray& csv, CodeplugModel& model);

// "line 7, column Frequency: ..."
QString DescribeCsvError(const CsvError& error);

// One channel line as its columns give it.
struct CsvChannel {
    int location = 0; // 0 when the Location column is not read
    QByteArray name;  // GBK
    uint32_t rx = 0;
    uint32_t tx = 0;
    Tone rxTone;
    Tone txTone;
    bool wide = true;
    bool scan = true;
    bool high = true;
};

// How channel lines are laid out. A file to import has a header line and
// channel numbers; lines pasted into the grid go to the rows from the current
// one on, with or without a header line.
struct ChannelLines {
    QChar separator = QLatin1Char(',');
    // Without a required header, a first line that does not name the
    // Frequency column is a channel line, and the columns are in the order of
    // ChannelCsvColumns().
    bool headerRequired = true;
    // Whether the Location column is needed and read.
    bool locations = true;
};

struct CsvChannels {
    std::vector<CsvChannel> channels;
    std::vector<CsvError> errors; // the first kMaxListedCsvErrors, by line
    int unlistedErrors = 0;       // the errors after those
    bool ok() const { return errors.empty(); }
};

// Every line by the rules of the import; the channels only mean something
// when there are no errors.
CsvChannels ReadChannelLines(const QString& text, const ChannelLines& layout, const BandLimits& bands);

// Writes a line's values into channel n and puts it in use. A channel that was
// not in use first gets the new-channel values; one that was keeps what the
// columns do not carry.
void ApplyCsvChannel(const CsvChannel& line, int n, bool wasUsed, CodeplugModel& model);

} // namespace lt
