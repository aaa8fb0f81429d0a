#pragma once

#include <QIODevice>
#include <QLocale>
#include <QPageSize>
#include <QString>

namespace lt {

struct Printout;

// The paper a PDF is laid out on where no printer says: Letter where the
// locale measures in inches, A4 elsewhere.
QPageSize DefaultPaperSize(const QLocale& locale = QLocale::system());

// Writes the printout as a PDF in landscape on the given paper into an open
// device. Returns the number of pages, 0 when it could not be laid out.
int WritePrintoutPdf(const Printout& printout, QIODevice& device, const QPageSize& paper);

// Writes the printout as a PDF in landscape on the given paper. The file is
// replaced only once the whole document is written. Returns the number of
// pages, or 0 with error set.
int ExportPrintoutPdf(const Printout& printout, const QString& path, const QPageSize& paper, QString* error);

} // namespace lt
