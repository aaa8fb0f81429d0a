#include "ui/CsvErrorLines.h"

#include "ui/AddedTexts.h"

#include <QStringList>

namespace lt {

namespace {

// As many as a message shows whole on a small screen.
constexpr int kListedErrors = 20;

static_assert(static_cast<int>(Added::CsvNotStep) - static_cast<int>(Added::CsvNulByte) + 1 == static_cast<int>(CsvProblem::kCount),
              "every problem has a text in the table");
static_assert(static_cast<int>(CsvProblem::NulByte) == 0 && static_cast<int>(CsvProblem::NotStep) + 1 == static_cast<int>(CsvProblem::kCount),
              "the table's texts and the problems run in the same order");

QString problemText(CsvProblem problem)
{
    return AddedText(static_cast<Added>(static_cast<int>(Added::CsvNulByte) + static_cast<int>(problem)));
}

} // namespace

QString CsvErrorLine(const CsvError& error)
{
    const QString line = QString::number(error.line);
    const QString what = FillCsvValues(problemText(error.problem), error.values);
    if (error.column.isEmpty())
        return AddedText(Added::CsvErrorInLine).arg(line, what);
    return AddedText(Added::CsvErrorInColumn).arg(line, error.column, what);
}

QString CsvErrorLines(const std::vector<CsvError>& errors, int unlisted)
{
    QStringList lines;
    for (const CsvError& error : errors)
        lines << CsvErrorLine(error);
    return MessageLines(lines, kListedErrors, unlisted);
}

} // namespace lt
