#include "program/RecoveryCopy.h"

#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace lt {

QString RecoveryCopyPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery.kvf"));
}

std::optional<QDateTime> RecoveryCopyTime(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    return info.lastModified();
}

QString WriteRecoveryCopy(const QString& path, const CodeplugModel& model)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
    return SaveCodeplugFile(path, model);
}

bool ReadRecoveryCopy(const QString& path, CodeplugModel& model)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != static_cast<qint64>(cp::kBlockSize))
        return false;
    return LoadCodeplugFile(path, model);
}

void RemoveRecoveryCopy(const QString& path)
{
    QFile::remove(path);
}

} // namespace lt
