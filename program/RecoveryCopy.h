#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace lt {

class CodeplugModel;

// The copy of a codeplug with unsaved changes that the program keeps while it
// runs, so that a crash loses at most the last few seconds of editing. It is a
// plain codeplug file.

// <per-user data folder>/recovery.kvf (~/.local/share/lt4402 on Linux).
QString RecoveryCopyPath();

// When the copy at path was written; nothing when there is none.
std::optional<QDateTime> RecoveryCopyTime(const QString& path);

// Writes the model's block through an atomic replace, creating the folder
// when needed. Returns an empty string on success, otherwise the reason.
QString WriteRecoveryCopy(const QString& path, const CodeplugModel& model);

// Reads the copy over the model's block; false (model untouched) unless it is
// a whole codeplug file.
bool ReadRecoveryCopy(const QString& path, CodeplugModel& model);

void RemoveRecoveryCopy(const QString& path);

} // namespace lt
