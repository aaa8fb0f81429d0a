#pragma once

#include "codeplug/RadioImage.h"

#include <QString>

#include <vector>

namespace lt {

class CodeplugModel;

// One field whose bytes in the radio differ from what a write would send.
struct FieldDifference {
    QString field;  // "SQL", "channel 12 RxFreq", "ChannelUsedMap channel 7"
    QString file;   // the value a write of the codeplug sends
    QString radio;  // the value the radio holds
    bool operator==(const FieldDifference&) const = default;
};

// The image a write of the model would send. The model is copied, since
// packing refreshes the tone-type copies of its records; the programming time
// and the password record take fixed values, which a comparison skips anyway.
RadioImage ImageToWrite(const CodeplugModel& model);

// Compares what a codeplug write sends (toWrite) with what a codeplug read
// brought back (read), over every byte a write transfers except the
// programming time at 0xB000..0xB005 and the password record: the channel-used
// map, the frequency-mode and settings areas (in whole blocks) and the slots of
// the channels both maps mark. A channel that only one map marks shows up as a
// ChannelUsedMap difference. Differences come in address order, one per field
// (bit fields of the flag bytes count as fields of their own).
std::vector<FieldDifference> CompareRadioImages(const RadioImage& toWrite, const RadioImage& read);

// "SQL: file 5, radio 7".
QString DescribeDifference(const FieldDifference& difference);

} // namespace lt
