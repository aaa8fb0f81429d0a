#include "app/PrintCommands.h"

#include "printout/CodeplugPrintout.h"
#include "printout/PdfExport.h"
#include "printout/PrintoutPainter.h"
#include "ui/AddedTexts.h"
#include "ui/ModalSeam.h"
#include "ui/SizedMessageDialog.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace lt {

namespace {

const QString kPdfFilter = QStringLiteral("PDF(*.pdf)|*.pdf");

} // namespace

void PrintClick(const CodeplugModel& model, const CodeplugSource& source, QWidget* owner)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(PrintoutTitle(source));
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (execModal(dialog) != QDialog::Accepted)
        return;
    if (PaintPrintout(BuildPrintout(model, PrintoutTitle(source)), printer) == 0)
        ShowSizedMessage(owner, AddedText(Added::CannotPrint));
}

void ExportPdfClick(const CodeplugModel& model, const CodeplugSource& source, QWidget* owner)
{
    const QString path = askSaveFileName({owner, AddedText(Added::ExportPdf), kPdfFilter, QStringLiteral("pdf")});
    if (path.isEmpty())
        return;
    QString error;
    if (ExportPrintoutPdf(BuildPrintout(model, PrintoutTitle(source)), path, DefaultPaperSize(), &error) == 0)
        ShowSizedMessage(owner, AddedText(Added::CannotWriteFile) + QLatin1Char('\n') + error);
}

} // namespace lt
