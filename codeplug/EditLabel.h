#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace lt {

// What one step of the edit history did, kept as facts rather than as text so
// that the Edit menu names the step in whatever interface language is current
// when it is shown.
enum class EditKind : uint8_t {
    ChannelField,     // one grid cell: detail is the grid column (1..12)
    VfoControl,       // a control of a frequency-mode side: detail 0 for A, 1 for B
    Setting,          // a control of the function settings
    BatchSet,
    CsvImport,
    Paste,
    Cut,
    Delete,
    InsertEmpty,
    Remove,
    MoveUp,
    MoveDown,
    SortByFrequency,
    SortByName,
    RadioPassword,
    NewRadioPassword,
};

struct EditLabel {
    EditKind kind = EditKind::Setting;
    int detail = 0;
    // The channels the step is about; 0 when it is about none or all of them.
    // A step recorded with 0 for a kind about channels is given the first and
    // last channel whose bytes it changed.
    int firstChannel = 0;
    int lastChannel = 0;
    // Control edits: the control's caption in the current interface language.
    std::function<QString()> caption;
};

// True for the kinds that are about a range of memory channels.
inline bool IsAboutChannels(EditKind kind)
{
    return kind == EditKind::ChannelField || (kind >= EditKind::BatchSet && kind <= EditKind::SortByName
                                              && kind != EditKind::CsvImport);
}

} // namespace lt
