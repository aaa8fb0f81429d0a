#pragma once

class QWidget;

namespace lt {

struct CodeplugSource;
class CodeplugModel;

// File/"Print…": the system print dialog (landscape, the printer's paper),
// then the codeplug's printout on the chosen printer.
void PrintClick(const CodeplugModel& model, const CodeplugSource& source, QWidget* owner);

// File/"Export PDF…": the printout as a landscape PDF on the locale's paper.
void ExportPdfClick(const CodeplugModel& model, const CodeplugSource& source, QWidget* owner);

} // namespace lt
