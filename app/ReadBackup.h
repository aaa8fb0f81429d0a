#pragma once

#include <QString>

namespace lt {

struct RadioImage;

// Keeps the codeplug a read brought from the radio as a file in folder, so that
// what the radio held can always be written back. A backup that cannot be kept
// is reported in the interface language; the read itself stands.
void KeepBackupOfRead(const RadioImage& image, const QString& folder);

} // namespace lt
