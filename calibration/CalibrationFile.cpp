#include "calibration/CalibrationFile.h"

#include "calibration/CalibrationData.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace lt {

CalibrationLoad LoadCalibrationFile(const QString& path, CalibrationData& data, qint64* size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CalibrationLoad::Unreadable;
    const auto stored = data.bytes();
    const QByteArray bytes = file.read(static_cast<qint64>(stored.size()));
    if (bytes.size() < static_cast<qsizetype>(stored.size())) {
        if (size)
            *size = std::max<qint64>(file.size(), bytes.size());
        return CalibrationLoad::TooShort;
    }
    std::copy(bytes.cbegin(), bytes.cend(), stored.begin());
    return CalibrationLoad::Loaded;
}

QString SaveCalibrationFile(const QString& path, const CalibrationData& data)
{
    QSaveFile file(path);
    const auto stored = data.bytes();
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(stored.data()), static_cast<qint64>(stored.size()))
               != static_cast<qint64>(stored.size())
        || !file.commit())
        return file.errorString();
    return {};
}

QString ShortCalibrationFileMessage(const QString& path, qint64 size)
{
    return QStringLiteral("%1 holds %2 bytes; a calibration file holds %3. The file was not opened.")
        .arg(QDir::toNativeSeparators(path))
        .arg(size)
        .arg(cal::kStoredSize);
}

} // namespace lt
