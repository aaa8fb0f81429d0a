#pragma once

#include <QString>
#include <QStringList>

namespace lt {

struct DifferencePlace;

// Where a difference of a comparison is edited in the main window.
// The grid column of a channel's field (1..12); fields without a column of
// their own (the channel map, the squelch mode, spare bits) give column 1.
int GridColumnOf(const DifferencePlace& place);

// The names of the options-page controls that may edit a frequency-mode
// side's field or a setting, most likely first ("cbSQL", "eFr_Freq_A"); empty
// for a channel's field.
QStringList OptionsControlsOf(const DifferencePlace& place);

} // namespace lt
