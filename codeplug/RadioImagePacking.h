#pragma once

#include "codeplug/CodeplugModel.h"
#include "codeplug/PasswordRecord.h"
#include "codeplug/RadioImage.h"
#include "codeplug/RadioImageLayout.h"

#include <functional>

// Packing the codeplug into the radio image before a write, and unpacking a
// read image back into the codeplug.
namespace lt {

// The PC's local date and time, read at every pack.
using ClockFn = std::function<ProgrammingTime()>;
ProgrammingTime LocalClockNow();

// Clears the whole image, then writes the channel-used map, the slot of every
// used channel, both frequency-mode sides, the settings, the band limits, a
// fresh password record built from NewPassword and the clock's time. Before a
// record is packed, the copies of its tone types in its tone byte are refreshed
// in the model, which is why the model is not const.
void GetDataForWrite(CodeplugModel& model, RadioImage& image, const ClockFn& clock = LocalClockNow,
                     const RandomBytes& random = SystemRandomBytes);

// Takes the radio's channel-used map, the slots of the channels it marks, both
// frequency-mode sides, the settings, the band limits and the last programming
// time into the model. Channels the map does not mark and every field without
// a place in the image keep their bytes; UOffsetMax and VOffsetMax are not
// recomputed.
void SetDataToSoftware(const RadioImage& image, CodeplugModel& model);

} // namespace lt
