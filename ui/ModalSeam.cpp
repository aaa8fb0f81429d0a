#include "ui/ModalSeam.h"

#include "ui/ErrorReportText.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include <exception>

namespace lt {

namespace {

ModalHandlers& handlers()
{
    static ModalHandlers current;
    return current;
}

QString runFileDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(request.parent, request.title, QString(), qtFileFilter(request.filter));
    // Qt's own dialog speaks the interface language (a native one speaks the
    // system's), and shows each file type as the program words it, without
    // its patterns repeated after it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (execModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

int execModal(QDialog& dialog)
{
    if (handlers().dialog)
        return handlers().dialog(dialog);
    return dialog.exec();
}

QString askOpenFileName(const FileDialogRequest& request)
{
    if (handlers().openFile)
        return handlers().openFile(request);
    return runFileDialog(request, QFileDialog::AcceptOpen);
}

QString askSaveFileName(const FileDialogRequest& request)
{
    if (handlers().saveFile)
        return handlers().saveFile(request);
    return runFileDialog(request, QFileDialog::AcceptSave);
}

void showErrorReport(const QString& message)
{
    if (handlers().errorReport) {
        handlers().errorReport(message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString(), message, QMessageBox::Ok);
    box.exec();
}

void showSystemError(QWidget* parent, const QString& message)
{
    if (handlers().systemError) {
        handlers().systemError(parent, message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString(), message, QMessageBox::Ok, parent);
    box.exec();
}

void reportErrors(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorReport(ErrorReportText(error));
    }
}

ModalHandlersGuard::ModalHandlersGuard(ModalHandlers installed)
    : previous_(handlers())
{
    ModalHandlers& current = handlers();
    if (installed.dialog)
        current.dialog = std::move(installed.dialog);
    if (installed.openFile)
        current.openFile = std::move(installed.openFile);
    if (installed.saveFile)
        current.saveFile = std::move(installed.saveFile);
    if (installed.errorReport)
        current.errorReport = std::move(installed.errorReport);
    if (installed.systemError)
        current.systemError = std::move(installed.systemError);
}

ModalHandlersGuard::~ModalHandlersGuard()
{
    handlers() = std::move(previous_);
}

QString qtFileFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace lt
