#include "cli/DealerVerbs.h"

#include "cli/CommandLine.h"
#include "hid/HidBackend.h"
#include "hid/HidLink.h"
#include "printout/CodeplugPrintout.h"
#include "printout/PdfExport.h"
#include "ui/AppLang.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lt {

void PrintFileDifferences(const std::vector<FieldDifference>& differences, const QString& a, const QString& b, bool json,
                          QTextStream& out)
{
    const QString first = QDir::toNativeSeparators(a);
    const QString second = QDir::toNativeSeparators(b);
    if (json) {
        QJsonArray list;
        for (const FieldDifference& d : differences)
            list.append(QJsonObject{{QStringLiteral("field"), d.field}, {QStringLiteral("a"), d.file}, {QStringLiteral("b"), d.radio}});
        out << QJsonDocument(QJsonObject{{QStringLiteral("a"), first}, {QStringLiteral("b"), second}, {QStringLiteral("differences"), list}})
                   .toJson();
        return;
    }
    if (differences.empty())
        out << first << " and " << second << " hold the same codeplug\n";
    for (const FieldDifference& d : differences)
        out << DescribeDifference(d, first, second) << '\n';
}

QByteArray CodeplugPdf(const CodeplugModel& model, const QString& from, int language, int* pages)
{
    AppLang().SetInterfaceLanguage(language);
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    *pages = WritePrintoutPdf(BuildPrintout(model, QFileInfo(from).fileName()), document, DefaultPaperSize());
    return *pages == 0 ? QByteArray() : document.data();
}

QStringList AttachedRadios(HidBackend& backend, const TransferWait& wait, int waitMs)
{
    // Devices are reached only while watched, as while a transfer runs.
    backend.setWatching(true);
    wait([&backend] { return !backend.discovering(); }, waitMs);
    QStringList radios;
    for (const HidDeviceInfo& info : backend.enumerate()) {
        if (HidLink::IsRadio(info))
            radios << info.path;
    }
    backend.setWatching(false);
    return radios;
}

int WriteAllRadios(const QStringList& radios, const std::function<RadioOutcome(const QString& radio)>& writeOne,
                   QTextStream& out)
{
    qsizetype holding = 0;
    for (const QString& radio : radios) {
        const RadioOutcome outcome = writeOne(radio);
        if (outcome.status == cli_exit::Success) {
            ++holding;
            out << radio << ": ok, holds the file\n";
        } else {
            out << radio << ": failed: " << outcome.reason << '\n';
        }
        out.flush();
    }
    out << holding << " of " << radios.size() << " radio(s) hold the file\n";
    out.flush();
    return holding == radios.size() ? cli_exit::Success : cli_exit::NotAllRadios;
}

} // namespace lt
