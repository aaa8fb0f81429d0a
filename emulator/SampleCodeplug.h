#pragma once

namespace lt {

class CodeplugModel;
struct RadioImage;

// A codeplug with all 240 channels in use, for demonstrations and tests: VHF
// and UHF channels, simplex, both repeater shifts, cross-band split and
// receive-only channels, every kind of tone pairing (none, encode only, CTCSS
// and DCS squelch, inverted DCS, crossed CTCSS/DCS), narrow and wide, both
// powers, skipped channels and Chinese names. The model's band limits must be
// the default ones.
void FillSampleCodeplug(CodeplugModel& model);

// The radio memory a radio holding the sample codeplug would have.
void FillSampleRadioMemory(RadioImage& image);

} // namespace lt
