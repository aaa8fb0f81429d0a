#include "support/TransferDialogDriver.h"

#include "transferui/TProgramDialog.h"
#include "ui/MessageDialogs.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

namespace lt::test {

namespace {

bool IsMessage(const QString& dialogName)
{
    return dialogName == QLatin1String("TUserWarnDlg") || dialogName == QLatin1String("TMyWarnDlg_2")
           || dialogName == QLatin1String("TSizedMessageDlg");
}

} // namespace

TransferDialogDriver::TransferDialogDriver(VirtualClock& clock, int64_t limitMs)
    : clock_(clock)
    , limitMs_(limitMs)
    , guard_(handlers())
{
}

TransferDialogDriver& TransferDialogDriver::then(const QString& dialogName, Step step)
{
    steps_[dialogName].push_back(std::move(step));
    return *this;
}

TransferDialogDriver& TransferDialogDriver::answer(const QString& dialogName, int result)
{
    return then(dialogName, [result](QDialog&) { return result; });
}

TransferDialogDriver& TransferDialogDriver::openFile(QString path)
{
    openFiles_.push(std::move(path));
    return *this;
}

TransferDialogDriver& TransferDialogDriver::saveFile(QString path)
{
    saveFiles_.push(std::move(path));
    return *this;
}

std::vector<TransferDialogDriver::Shown> TransferDialogDriver::shownMessages() const
{
    std::vector<Shown> messages;
    for (const Shown& s : shown)
        if (IsMessage(s.dialog))
            messages.push_back(s);
    return messages;
}

QStringList TransferDialogDriver::messages() const
{
    QStringList texts;
    for (const Shown& s : shownMessages())
        texts << s.message;
    return texts;
}

QString TransferDialogDriver::lastTransferTitle() const
{
    return transferTitles.isEmpty() ? QString() : transferTitles.last();
}

int TransferDialogDriver::count(const QString& dialogName) const
{
    int n = 0;
    for (const Shown& s : shown)
        n += s.dialog == dialogName ? 1 : 0;
    return n;
}

ModalHandlers TransferDialogDriver::handlers()
{
    ModalHandlers h;
    h.dialog = [this](QDialog& dialog) { return respond(dialog); };
    h.openFile = [this](const FileDialogRequest& request) {
        fileRequests.push_back(request);
        return openFiles_.take();
    };
    h.saveFile = [this](const FileDialogRequest& request) {
        fileRequests.push_back(request);
        return saveFiles_.take();
    };
    h.errorReport = [this](const QString& text) { errorReports << text; };
    h.systemError = [this](QWidget*, const QString& text) { systemErrors << text; };
    return h;
}

int TransferDialogDriver::respond(QDialog& dialog)
{
    const QString name = dialog.objectName();
    shown.push_back({name, MessageOf(dialog), current_ && current_->engine().anyTimerActive()});
    auto queued = steps_.find(name);
    if (queued != steps_.end() && !queued->second.empty()) {
        Step step = std::move(queued->second.front());
        queued->second.pop_front();
        return step(dialog);
    }
    if (auto* transfer = qobject_cast<TProgramDialog*>(&dialog))
        return runTransfer(*transfer);
    if (whileMessageShown)
        whileMessageShown();
    return name == QLatin1String("TUserWarnDlg") || name == QLatin1String("TSizedMessageDlg") ? mrOK : defaultResult;
}

int TransferDialogDriver::runTransfer(TProgramDialog& transfer)
{
    current_ = &transfer;
    transferTitles << transfer.windowTitle();
    transfer.HidCtlDeviceChange();
    if (play) {
        play(transfer);
    } else {
        QTest::mouseClick(transfer.ProgramStart, Qt::LeftButton);
        clock_.advanceUntil([&transfer] { return transfer.engine().outcome().has_value(); }, limitMs_);
    }
    transferProgress.push_back(transfer.engine().progress());
    current_ = nullptr;
    return transfer.result();
}

} // namespace lt::test
