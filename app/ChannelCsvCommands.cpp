#include "app/ChannelCsvCommands.h"

#include "codeplug/ChannelCsv.h"
#include "program/Program.h"
#include "ui/AddedTexts.h"
#include "ui/CsvErrorLines.h"
#include "ui/ModalSeam.h"
#include "ui/SizedMessageDialog.h"

#include <QFile>
#include <QSaveFile>

namespace lt {

namespace {

constexpr int kMaxMessageLines = 20;

} // namespace

bool ImportCsvClick(Program& program, QWidget* owner)
{
    const QString path = askOpenFileName({owner, AddedText(Added::ImportCsv), QString::fromLatin1(kCsvFileFilter), {}});
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowSizedMessage(owner, AddedText(Added::CannotReadFile));
        return false;
    }
    const CsvImport result = ImportChannelsCsv(file.readAll(), program.model);
    if (!result.ok()) {
        ShowSizedMessage(owner, AddedText(Added::NothingImported) + QLatin1Char('\n')
                                   + CsvErrorLines(result.errors, result.unlistedErrors));
        return false;
    }
    return true;
}

void ExportCsvClick(Program& program, QWidget* owner)
{
    const QString path = askSaveFileName({owner, AddedText(Added::ExportCsv), QString::fromLatin1(kCsvFileFilter),
                                          QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    const CsvExport csv = ExportChannelsCsv(program.model);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.text) != csv.text.size() || !file.commit()) {
        ShowSizedMessage(owner, AddedText(Added::CannotWriteFile));
        return;
    }
    if (!csv.warnings.isEmpty())
        ShowSizedMessage(owner, AddedText(Added::InexactChannels) + QLatin1Char('\n') + MessageLines(csv.warnings, kMaxMessageLines));
}

} // namespace lt
