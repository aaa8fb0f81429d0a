#include "app/ReadBackup.h"

#include "codeplug/Backups.h"
#include "codeplug/CodeplugModel.h"
#include "ui/AddedTexts.h"
#include "ui/ModalSeam.h"

#include <QDateTime>
#include <QDir>

namespace lt {

void KeepBackupOfRead(const RadioImage& image, const QString& folder)
{
    QString error;
    if (KeepReadBackup(ModelFromRadio(image), folder, QDateTime::currentDateTime(), &error).isEmpty())
        showErrorReport(AddedText(Added::BackupNotKept).arg(QDir::toNativeSeparators(folder), error));
}

} // namespace lt
