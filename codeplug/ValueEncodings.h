#pragma once

#include "codeplug/CodeplugModel.h"
#include "codeplug/ToneTables.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The conversions between the radio's units and the texts the
// editors show and accept. Pure functions; they show no messages.
namespace lt {

// --- frequencies and offsets (u32 Hz) ---------------------------------------

// 0 -> "0"; otherwise nine characters "hhh.ddddd" (145500000 -> "145.50000",
// 50 MHz -> "050.00000"); digits above the hundreds of MHz are dropped.
QString FreqToText(uint32_t hz);

// 0 -> "0"; otherwise "u.ddddd" or "tu.ddddd" when the tens-of-MHz digit is not
// 0 (600000 -> "0.60000", 12.5 MHz -> "12.50000"); the hundreds digit is dropped.
QString OffsetToText(uint32_t hz);

// Megahertz text to Hz ("146.52" -> 146520000, ".5" -> 5000000). Throws
// lt::ConversionError for a text that cannot be converted: an empty text, a text
// ending in the point ("'438.' is not a valid floating point value"), a part that
// is not all decimal digits or does not fit a 32-bit signed integer. More than
// six decimals are added as hertz without scaling (1.1234567 -> 2234567). A
// result beyond the 32-bit range saturates to 0xFFFFFFFF (it does not wrap), so
// ClampToBands then gives the top of the bands.
uint32_t TextToFreq(const QString& text);

// hz div 500 * 500.
constexpr uint32_t FloorTo500(uint32_t hz) { return hz / 500u * 500u; }

// Band clamp with the given limits: below VBandMin -> VBandMin; in the gap
// between the bands -> VBandMax; above UBandMax -> UBandMax; then FloorTo500.
uint32_t ClampToBands(uint32_t hz, const BandLimits& bands);

// Range clamp of the band-limits dialog: into 134 000 000 .. 520 000 000, then FloorTo500.
uint32_t ClampToRange(uint32_t hz);

// Step clamp of the batch dialog: 10 000 000 or more -> 0, then FloorTo500.
uint32_t ClampStep(uint32_t hz);

// Offset clamp: above both maxima -> vOffsetMax, then FloorTo500.
uint32_t ClampOffset(uint32_t hz, uint32_t uOffsetMax, uint32_t vOffsetMax);

// --- tones -------------------------------------------------------------------

// code 0 or 0xFFFF -> "Off"; CTCSS -> "88.5"; DCS normal -> "D023N"; DCS
// inverted -> "D023I". Type 0 with another code also gives "Off"; a type above 3
// (only in data read from a radio or a file) gives an empty text.
QString ToneToText(uint16_t code, uint8_t type);
inline QString ToneToText(const Tone& tone) { return ToneToText(tone.code, tone.type); }

// Tone parse; std::nullopt when the text is rejected (the caller then keeps
// its tone). "Off" or "" -> {0xFFFF, 0}; "D023N" -> {10259, 2};
// "D023I" -> {10259, 3}; "88.5" -> {885, 1}.
std::optional<Tone> TextToTone(const QString& text);

// Type 0 always; type 1 when the code is one of the 50 CTCSS tones; types 2 and
// 3 when the code is in the DCS code table; false for any other type.
bool IsStandardTone(uint16_t code, uint8_t type);
inline bool IsStandardTone(const Tone& tone) { return IsStandardTone(tone.code, tone.type); }

// --- DTMF digits ---------------------------------------------------------------

// One code per character: "#" 15, "*" 14, "A".."D" 10..13, any other c -> c - 48
// (8-bit). The count is the size of the result.
QByteArray DtmfToCodes(const QString& digits);
QByteArray DtmfToCodes(const QByteArray& digits);

// The inverse for the given codes: 15 "#", 14 "*", 10..13 "A".."D", other -> code + 48.
QString CodesToDtmf(const QByteArray& codes);
QString CodesToDtmf(const uint8_t* codes, int count);

} // namespace lt
