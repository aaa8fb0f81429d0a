#include "printout/PdfExport.h"

#include "printout/CodeplugPrintout.h"
#include "printout/PrintoutPainter.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>

namespace lt {

namespace {

constexpr double kMarginMm = 10;

} // namespace

QPageSize DefaultPaperSize(const QLocale& locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

int WritePrintoutPdf(const Printout& printout, QIODevice& device, const QPageSize& paper)
{
    QPdfWriter writer(&device);
    writer.setTitle(printout.title);
    writer.setCreator(QStringLiteral("lt4402"));
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Landscape, QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    return PaintPrintout(printout, writer);
}

int ExportPrintoutPdf(const Printout& printout, const QString& path, const QPageSize& paper, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return 0;
    }
    const int pages = WritePrintoutPdf(printout, file, paper);
    if (pages == 0 || !file.commit()) {
        *error = pages == 0 ? QStringLiteral("the document could not be laid out") : file.errorString();
        return 0;
    }
    return pages;
}

} // namespace lt
