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
// (bit fields of the flag bytes count as fields of their own); texts are
// compared as shown, up to their first zero byte. Frequencies, offsets and
// tones are shown as the editors show them ("145.50000", "88.5", "D023N"),
// other values by their numbers, and so is a value whose text would read the
// same on both sides.
std::vector<FieldDifference> CompareRadioImages(const RadioImage& toWrite, const RadioImage& read);

// Two codeplugs compared as the radio would receive them, by the rules and
// names of CompareRadioImages (file = a, radio = b), followed by the named
// fields that stay in the codeplug file and never reach the radio (DTMF
// settings, address book, passwords, ...), named and shown as the dump does.
// Bytes of channels not in use and reserved stretches are not compared.
std::vector<FieldDifference> CompareCodeplugs(const CodeplugModel& a, const CodeplugModel& b);

// "SQL: file 5, radio 7".
QString DescribeDifference(const FieldDifference& difference);
// The same with other names for the two sides: "SQL: a.kvf 5, b.kvf 7".
QString DescribeDifference(const FieldDifference& difference, const QString& first, const QString& second);

// Where a difference lives, taken apart from its name: a channel's field
// ("channel 12 RxFreq" and "ChannelUsedMap channel 12" are channel 12), a
// frequency-mode side's field ("VFO A RxFreq") or a setting ("SQL").
struct DifferencePlace {
    int channel = 0; // 1..240 for a channel's field, else 0
    QChar vfo;       // 'A' or 'B' for a frequency-mode side's field, else null
    QString name;    // the field's own name: "RxFreq", "ChannelUsedMap", "SQL"
    bool operator==(const DifferencePlace&) const = default;
};
DifferencePlace PlaceOf(const FieldDifference& difference);

} // namespace lt
