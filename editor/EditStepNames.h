#pragma once

#include "codeplug/EditLabel.h"

#include <QString>

namespace lt {

// The name of a step of the edit history in the current interface language,
// as the Edit menu's Undo and Redo items show it: "name of channel 12",
// "batch set of channels 10–20", "SQL".
QString EditStepName(const EditLabel& label);

} // namespace lt
