#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

// What the channel editors and the batch dialog let the user type: the
// per-key filters and the corrections applied to a text on every change.
namespace lt {

// Channel names are GBK byte strings of at most 10 bytes in the record.
inline constexpr int kChannelNameBytes = 10;

// Frequency and step edits: printable ASCII other than the digits and the
// point is dropped; control characters, DEL and anything beyond ASCII pass.
bool FreqKeyAllowed(const QString& keyText);

// Tone boxes: the character to insert for a typed key, or nothing when the key
// is dropped. Printable ASCII passes only as a digit, "D", "N", "I" or the
// point; "d", "n", "i" are turned into capitals.
std::optional<QString> ToneKeyText(const QString& keyText);

// Name edit: "!" to ")" and "{" to "~" are dropped, and so is a character the
// name's GBK bytes cannot hold.
bool NameKeyAllowed(const QString& keyText);

// The frequency edit of the grid and the batch step: at most 9 characters,
// no lone point, no second point.
QString CorrectFreqText(const QString& text);

// The batch dialog's start frequencies: at most 9 characters, and the point
// only as the fourth character (three megahertz digits, as in 438.12500).
QString CorrectBatchFreqText(const QString& text);

// Tone boxes: at most 5 characters.
QString CorrectToneText(const QString& text);

// Name edit: characters GBK cannot encode are removed and the text is cut,
// from its end, to at most kChannelNameBytes GBK bytes.
QString CorrectNameText(const QString& text);

// The name's GBK bytes as stored in the record, and back.
QByteArray NameToGbk(const QString& name);
QString NameFromGbk(const QByteArray& bytes);

} // namespace lt
