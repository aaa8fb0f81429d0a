#pragma once

#include "calibration/CalibrationData.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/EditHistory.h"
#include "codeplug/RadioImage.h"
#include "program/ProgramSettings.h"

#include <cstdint>

namespace lt {

// Everything the program holds for its whole run, exactly once. main() owns
// one; tests make their own. Windows and operations get it by reference.
struct Program {
    CodeplugModel model;
    // The undo and redo steps of the user's changes to model.
    EditHistory history{model};
    RadioImage image;
    CalibrationData calibration;
    ProgramSettings settings;
    uint8_t customerId = 0;
};

} // namespace lt
