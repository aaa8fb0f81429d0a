#pragma once

#include <QString>

class QWidget;

namespace lt {

class CalibrationData;

// The calibration file is the 638-byte stored layout of the calibration,
// nothing before or after it.
inline constexpr const char* kCalibrationFileFilter = "Korvo File(*.kvfa)|*.kvfa";
inline constexpr const char* kCalibrationFileSuffix = "kvfa";

enum class CalibrationLoad {
    Loaded,
    Unreadable, // missing or not readable: nothing to say, nothing changed
    TooShort,   // refused, nothing changed
};

// Reads the first 638 bytes of the file over the calibration. A shorter file is
// refused as a whole: half of it mixed with the current calibration could end
// up in a radio. Longer files are taken as far as the calibration goes.
CalibrationLoad LoadCalibrationFile(const QString& path, CalibrationData& data, qint64* size = nullptr);

// Writes the 638 bytes through an atomic replace, so a failed save leaves the
// file that was there before intact. Returns an empty string on success,
// otherwise the reason.
QString SaveCalibrationFile(const QString& path, const CalibrationData& data);

// The message that refuses a short file, naming it and its size.
QString ShortCalibrationFileMessage(const QString& path, qint64 size);

} // namespace lt
