#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

// What the program's edits let the user type and the corrections they apply to
// a text as it changes. Plain functions of the text, so the channel grid, the
// options page, the batch dialog, the calibration editor and the band-limits
// dialog follow the same rules and the widgets only hook them up.
namespace lt {

// Frequencies are typed as "438.12500", offsets as "99.98750".
inline constexpr int kFreqTextMax = 9;
inline constexpr int kOffsetTextMax = 8;
// Tone boxes hold at most five characters ("D023N", "254.1").
inline constexpr int kToneTextMax = 5;
// Channel names are GBK byte strings of at most 10 bytes in the record.
inline constexpr int kChannelNameBytes = 10;

// Numeric edits: printable ASCII other than the digits is dropped; control
// characters, DEL and everything beyond ASCII pass.
bool NumberKeyAccepted(QChar c);
// Frequency edits: the same, and the point passes too. A key text passes when
// every one of its characters does.
bool FreqKeyAccepted(QChar c);
bool FreqKeyAccepted(QStringView keyText);

// Tone boxes: the character to type for a typed one, or nothing when it is
// dropped. Printable ASCII passes only as a digit, "D", "N", "I" or the point;
// "d", "n", "i" are turned into capitals. A key text is taken character by
// character and dropped as a whole when one of them is.
std::optional<QChar> ToneKeyChar(QChar c);
std::optional<QString> ToneKeyText(const QString& keyText);

// Names and the options page's texts: "!" to ")" and "{" to "~" are dropped,
// the radio's display has no glyphs for them.
bool NameKeyAccepted(QChar c);
// Whether GBK can encode a key's text: edits whose text is stored as GBK bytes
// refuse the key otherwise.
bool GbkCanHold(const QString& keyText);
// The channel name edit also drops a key whose text GBK cannot encode.
bool NameKeyAllowed(const QString& keyText);

// Frequency and step edits after every change: every point after the first
// goes, a lone point is cleared and the text is cut to maxLength characters.
QString CorrectFreqText(const QString& text, int maxLength = kFreqTextMax);

// The band-limits dialog and the calibration editor cut a text of 10 or more
// characters before they look at its points; then a lone point is cleared and
// every point after the first goes. The band-limits dialog corrects again
// after its own correction, so its text loses one character per round; the
// calibration editor corrects once per edit, so its text is cut to 9 at once.
enum class LongFreqText { LosesLastCharacter, CutToLimit };
QString CutThenCorrectFreqText(const QString& text, LongFreqText cut);

// The batch dialog's start frequencies: at most 9 characters, and the point
// only as the fourth character (three megahertz digits, as in 438.12500).
QString CorrectBatchFreqText(const QString& text);

// A text longer than maxLength loses characters from its end until it fits.
QString CutToLength(const QString& text, int maxLength);
QString CorrectToneText(const QString& text);

// The radio stores texts as GBK bytes. Characters GBK cannot encode are
// dropped, then characters are taken off the end until the GBK form fits
// maxBytes.
QString FitGbkText(const QString& text, int maxBytes);
QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);
// Whether a text box still shows what the stored bytes say. Stored bytes that
// are no whole GBK character (a lone lead byte, left by a byte-wise cut) do not
// show, so a box writes its text back only when this is false: passing
// through it keeps every stored byte.
bool ShowsStoredText(const QString& shown, const QByteArray& stored);

} // namespace lt
