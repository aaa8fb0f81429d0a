#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace lt {

class CodeplugModel;

// Channel lists in the comma-separated columns radio tools commonly exchange.
// The rules between a row and a channel record are in docs/csv.md.
const QStringList& ChannelCsvColumns();

struct CsvExport {
    QByteArray text;      // UTF-8, header line first, one line per channel in use
    QStringList warnings; // channels whose tones the columns cannot carry exactly
};

// One line per channel in use, in channel order.
CsvExport ExportChannelsCsv(const CodeplugModel& model);

struct CsvError {
    int line = 0;   // 1 is the header line
    QString column; // empty when the whole line is meant
    QString message;
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

} // namespace lt
