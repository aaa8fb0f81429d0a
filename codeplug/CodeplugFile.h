#pragma once

#include <QString>

namespace lt {

class CodeplugModel;

// The codeplug file is the model's 20 092-byte block, nothing before or after.

// Reads up to one block from the start of the file over the start of the
// model's block: a shorter file replaces only the start, a longer one is read
// only as far as the block goes. Returns false (model untouched) when the file
// cannot be opened.
bool LoadCodeplugFile(const QString& path, CodeplugModel& model);

// Writes the whole block through an atomic replace: a failed or interrupted
// save leaves the file that was there before intact. Returns an empty string
// on success, otherwise the reason.
QString SaveCodeplugFile(const QString& path, const CodeplugModel& model);

} // namespace lt
