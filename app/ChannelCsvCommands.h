#pragma once

class QWidget;

namespace lt {

struct Program;

// The File menu's "Import CSV…": asks for a CSV file and makes its channels
// the codeplug's channel list. A file with errors changes nothing; its errors
// are listed by line and column in a message. Returns true when channels were
// imported; the caller then runs the full refresh.
bool ImportCsvClick(Program& program, QWidget* owner);

// The File menu's "Export CSV…": asks for a file name and writes the channels
// in use; channels whose tones the columns cannot carry exactly are listed in
// a message afterwards.
void ExportCsvClick(Program& program, QWidget* owner);

// The file type of the dialogs.
inline constexpr const char* kCsvFileFilter = "CSV File(*.csv)|*.csv";

} // namespace lt
