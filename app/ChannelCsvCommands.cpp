#include "app/ChannelCsvCommands.h"

#include "codeplug/ChannelCsv.h"
#include "program/Program.h"
#include "ui/MessageDialogs.h"
#include "ui/ModalSeam.h"
#include "ui/SafetyNetTexts.h"

#include <QFile>
#include <QSaveFile>

namespace lt {

namespace {

constexpr int kMaxMessageLines = 20;

} // namespace

bool ImportCsvClick(Program& program, QWidget* owner)
{
    const QString path = askOpenFileName({owner, SafetyNetText(safety_text::ImportCsv), QString::fromLatin1(kCsvFileFilter), {}});
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowUserWarning(owner, SafetyNetText(safety_text::CannotReadFile));
        return false;
    }
    const CsvImport result = ImportChannelsCsv(file.readAll(), program.model);
    if (!result.ok()) {
        QStringList lines;
        for (const CsvError& error : result.errors)
            lines << DescribeCsvError(error);
        ShowUserWarning(owner, SafetyNetText(safety_text::NothingImported) + QLatin1Char('\n') + MessageLines(lines, kMaxMessageLines));
        return false;
    }
    return true;
}

void ExportCsvClick(Program& program, QWidget* owner)
{
    const QString path = askSaveFileName({owner, SafetyNetText(safety_text::ExportCsv), QString::fromLatin1(kCsvFileFilter),
                                          QStringLiteral("csv")});
    if (path.isEmpty())
        return;
    const CsvExport csv = ExportChannelsCsv(program.model);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.text) != csv.text.size() || !file.commit()) {
        ShowUserWarning(owner, SafetyNetText(safety_text::CannotWriteFile));
        return;
    }
    if (!csv.warnings.isEmpty())
        ShowUserWarning(owner, SafetyNetText(safety_text::InexactChannels) + QLatin1Char('\n') + MessageLines(csv.warnings, kMaxMessageLines));
}

} // namespace lt
