#pragma once

#include "editor/ChannelGridModel.h"
#include "editor/ShownSetting.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

namespace lt {

class CodeplugModel;

// Where the codeplug being printed came from, for the document's title: a
// file, a read from the radio at a time, or neither (a new codeplug).
struct CodeplugSource {
    QString fileName;   // the file's name without its folder
    QDateTime readAt;   // valid after a read from the radio
};

// "club.kvf", "Read from radio 2024-05-01 14:03" or "New codeplug", in the
// interface language.
QString PrintoutTitle(const CodeplugSource& source);

// One group of the options page as label/value pairs.
struct PrintoutSection {
    QString heading;
    std::vector<ShownSetting> settings;
};

// What the printed codeplug says, in the interface language: the title, the
// band limits, the channels in use with the grid's columns and headers, and
// the frequency-mode sides and function settings as the options page shows
// them.
struct Printout {
    QString title;
    QString bandLimits;
    std::array<QString, kGridColumns> headers;
    std::vector<std::array<QString, kGridColumns>> channels;
    std::vector<PrintoutSection> sections;
    QString pageNumber; // "Page %1 of %2"
    int langType = 1;   // the interface language's type, for the script's font
};

Printout BuildPrintout(const CodeplugModel& model, const QString& title);

} // namespace lt
