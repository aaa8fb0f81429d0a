#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

// What the options page's edits accept while the user types: the per-key
// filters and the corrections applied after every change. Plain functions of
// the text, so the widgets only hook them up.
namespace lt::options {

// Frequency and offset edits: digits, the point, control characters, DEL and
// everything from 0x80 pass; other printable ASCII is dropped.
bool FreqKeyAccepted(QChar c);

// Tone boxes: printable ASCII other than digits is dropped except D, N, I and
// the point; d, n and i are typed as capitals. std::nullopt drops the key.
std::optional<QChar> ToneKeyChar(QChar c);

// Text boxes (power-on messages, user): "!" to ")" and "{" to "~" are dropped,
// the radio's display has no glyphs for them.
bool NameKeyAccepted(QChar c);

// A lone point becomes empty, every point after the first goes, and the text
// is cut to maxLength characters.
QString CorrectFreqText(const QString& text, int maxLength);

// Tone boxes hold at most five characters ("D023N", "254.1").
inline constexpr int kToneTextLimit = 5;
QString CorrectToneText(const QString& text);

// The radio stores texts as GBK bytes. Characters GBK cannot encode are
// dropped, then characters are taken off the end until the GBK form fits
// maxBytes.
QString FitGbkText(const QString& text, int maxBytes);
QByteArray ToGbk(const QString& text);
QString FromGbk(const QByteArray& bytes);

} // namespace lt::options
