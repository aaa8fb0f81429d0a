#pragma once

#include "codeplug/ChannelCsv.h"
#include "codeplug/ChannelRows.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace lt {

class CodeplugModel;

// Channels on the clipboard. Copied channels go there twice: as their raw
// slots under the program's own type, so a paste within the program gives
// back every byte, and as tab-separated text in the CSV columns, which pastes
// into a spreadsheet.
inline constexpr char kChannelSlotsMimeType[] = "application/x-lt4402-channels";

QByteArray EncodeChannelSlots(const std::vector<ChannelSlot>& taken);
// Nothing for bytes that are not exactly what EncodeChannelSlots makes.
std::optional<std::vector<ChannelSlot>> DecodeChannelSlots(const QByteArray& bytes);

// The channels in use among the given ones as tab-separated text with the
// header line of the CSV columns.
QString ChannelsAsText(const CodeplugModel& model, const std::vector<int>& channels);

struct TextPaste {
    enum Outcome { Pasted, BadLines, NoChannels, PastLastChannel };
    Outcome outcome = NoChannels;
    std::vector<CsvError> errors; // BadLines: the first bad lines with their columns
    int unlistedErrors = 0;       // BadLines: the bad lines after those
    int channels = 0;             // Pasted: how many; PastLastChannel: how many the text holds
};

// Reads tab- or comma-separated channel lines (tabs when the first line has
// one) by the rules of the CSV import, with or without a header line, and
// puts them into the channels from at on; the Location column, if any, is not
// read. Nothing changes unless every line is good and all of them fit up to
// channel 240.
TextPaste PasteChannelText(CodeplugModel& model, int at, const QString& text);

} // namespace lt
