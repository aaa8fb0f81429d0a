#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace lt::test {

// What poppler's tools read from a PDF: the tests look at the document as a
// reader of the file would, not at how it was drawn.
inline QString RunPoppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(tool, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of one page (from 1), or of every page when page is 0.
inline QString PdfText(const QString& path, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l") << QString::number(page);
    return RunPoppler(QStringLiteral("pdftotext"), arguments << path << QStringLiteral("-"));
}

inline QString PdfInfo(const QString& path, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(RunPoppler(QStringLiteral("pdfinfo"), {path})).captured(1).trimmed();
}

inline int PdfPages(const QString& path)
{
    return PdfInfo(path, QStringLiteral("Pages")).toInt();
}

} // namespace lt::test
