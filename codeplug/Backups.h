#pragma once

#include <QDateTime>
#include <QString>

namespace lt {

class CodeplugModel;
struct RadioImage;

// Every codeplug read from a radio is also kept as a codeplug file in the
// per-user data folder, so that what a radio held before a write can always be
// written back. Only the newest kKeptBackups are kept.
inline constexpr int kKeptBackups = 20;

// <per-user data folder>/backups (~/.local/share/lt4402/backups on Linux).
QString BackupFolder();

// The radio's codeplug as a fresh model holds it: File/New, then what the radio
// sent. Nothing of the program's current codeplug (its password fields, the
// write-with-new-password flag, the fields the radio does not keep) mixes in.
CodeplugModel ModelFromRadio(const RadioImage& image);

// Saves the model as "codeplug-<date>T<time>.kvf" in folder (created when
// missing; a name already taken moves on by a millisecond), then
// deletes the oldest such files beyond kKeptBackups. Returns the path of the
// new file, or an empty string when it could not be written; error then says
// why.
QString KeepReadBackup(const CodeplugModel& model, const QString& folder = BackupFolder(),
                       const QDateTime& now = QDateTime::currentDateTime(), QString* error = nullptr);

} // namespace lt
