#pragma once

#include "codeplug/CodeplugDiff.h"
#include "transfer/HeadlessTransfer.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

namespace lt {

class CodeplugModel;
class HidBackend;

// diff A.kvf B.kvf: every difference, one a line ("SQL: A.kvf 5, B.kvf 7"),
// or as JSON {"a", "b", "differences": [{"field", "a", "b"}]}.
void PrintFileDifferences(const std::vector<FieldDifference>& differences, const QString& a, const QString& b, bool json,
                          QTextStream& out);

// export-pdf: the codeplug's printout as a PDF on the locale's paper, titled
// with the file's name, in the interface language (0 English, 1 Simplified
// Chinese, 2 Traditional Chinese). Returns the document and sets pages to its
// number of pages; both empty or 0 when it could not be laid out.
QByteArray CodeplugPdf(const CodeplugModel& model, const QString& from, int language, int* pages);

// The paths of the attached radios in enumeration order, once the backend has
// found out which devices are there (waiting at most waitMs for that).
QStringList AttachedRadios(HidBackend& backend, const TransferWait& wait, int waitMs);

// How writing one radio of write --all ended.
struct RadioOutcome {
    int status = 0; // an exit status of lt4402-cli; 0: the radio holds the file
    QString reason; // why not, one line
};

// write --all: writes every radio in turn with writeOne, one failure stopping
// none of the others, printing one line per radio as it is done and then a
// summary. Returns 0 only when every radio holds the file.
int WriteAllRadios(const QStringList& radios, const std::function<RadioOutcome(const QString& radio)>& writeOne,
                   QTextStream& out);

} // namespace lt
