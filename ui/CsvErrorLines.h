#pragma once

#include "codeplug/ChannelCsv.h"

#include <QString>

#include <vector>

namespace lt {

// A channel-list error as the window shows it, in the interface language:
// "line 7, column Frequency: …". Column names stay the file's own.
QString CsvErrorLine(const CsvError& error);

// The errors one a line, the first 20, then how many more (those the reader
// did not list, unlisted, included).
QString CsvErrorLines(const std::vector<CsvError>& errors, int unlisted);

} // namespace lt
