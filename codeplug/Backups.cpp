#include "codeplug/Backups.h"

#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImagePacking.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lt {

namespace {

const QString kPrefix = QStringLiteral("codeplug-");
const QString kSuffix = QStringLiteral(".kvf");

// Names sort by time: the date and time are written most significant first
// with fixed widths.
QString backupName(const QDateTime& time)
{
    return kPrefix + time.toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss.zzz")) + kSuffix;
}

void pruneBackups(QDir& folder)
{
    QStringList names = folder.entryList({kPrefix + QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name);
    while (names.size() > kKeptBackups)
        folder.remove(names.takeFirst());
}

} // namespace

QString BackupFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("backups"));
}

CodeplugModel ModelFromRadio(const RadioImage& image)
{
    CodeplugModel model;
    model.SetCodeplugDefaults();
    SetDataToSoftware(image, model);
    return model;
}

QString KeepReadBackup(const CodeplugModel& model, const QString& folder, const QDateTime& now, QString* error)
{
    QDir dir(folder);
    // A folder that cannot be made shows in the file system's reason why the
    // backup cannot be written.
    dir.mkpath(QStringLiteral("."));
    // A name already taken moves on by a millisecond, so the order stays.
    QString path;
    for (int later = 0; path.isEmpty() || QFileInfo::exists(path); ++later)
        path = dir.filePath(backupName(now.addMSecs(later)));
    const QString failure = SaveCodeplugFile(path, model);
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return {};
    }
    pruneBackups(dir);
    return path;
}

} // namespace lt
