#pragma once

#include "app/MessageDialogs.h"
#include "app/ModalSeam.h"
#include "app/Program.h"
#include "calibration/ServiceOperations.h"
#include "tools/emulator/LoopbackHidBackend.h"
#include "tools/emulator/RadioEmulator.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/DownloadOperations.h"
#include "transfer/HidLink.h"
#include "transfer/TProgramDialog.h"
#include "transfer/TransferClock.h"
#include "transfer/TransferEnvironment.h"
#include "transfer/TransferRun.h"
#include "transfer/TransferState.h"

#include <QByteArray>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace lt::test {

inline void FixedRandom(std::span<uint8_t> out)
{
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<uint8_t>(0x3C + 11 * i);
}

// The program side of every administration run, attached to an in-process
// radio emulator on a virtual clock, with every operation registered.
struct AdminRig {
    VirtualClock clock;
    RadioEmulator emulator;
    LoopbackHidBackend backend{emulator, clock};
    HidLink link{backend};
    TransferEnvironment env{backend, link, clock};
    Program program;
    std::shared_ptr<DownloadSource> download = std::make_shared<DownloadSource>();

    AdminRig()
    {
        program.settings.AutoSeachPort = false;
        RegisterCodeplugOperations(env.operations, program);
        RegisterServiceOperations(env.operations, program, FixedRandom);
        RegisterDownloadOperations(env.operations, download);
        link.HidCtlDeviceChange();
    }

    // The messages the program sent, chunked ones put back together (a
    // chunked message keeps the zero padding of its last chunk).
    std::vector<QByteArray> sentMessages() const
    {
        std::vector<QByteArray> messages;
        QByteArray pending;
        for (const QByteArray& report : backend.writtenReports) {
            const QByteArray payload = report.mid(1);
            if (static_cast<uint8_t>(payload[0]) != HidLink::kChunkTag) {
                messages.push_back(payload);
                continue;
            }
            const int count = static_cast<uint8_t>(payload[1]);
            const int index = static_cast<uint8_t>(payload[2]);
            if (index == 0)
                pending.clear();
            pending += payload.mid(3, HidLink::kChunkPayload);
            if (index + 1 == count)
                messages.push_back(pending);
        }
        return messages;
    }
};

// The user in front of the program's modal dialogs. A transfer dialog is
// started and left to run to its end unless a step for it is queued; every
// other dialog is recorded with its message and answered by the next step
// queued for its objectName, or with OK for a message and Cancel otherwise.
class ScriptedUser {
public:
    using Step = std::function<int(QDialog&)>;
    struct Shown {
        QString dialog;
        QString message;
    };

    explicit ScriptedUser(VirtualClock& clock)
        : clock_(clock)
        , guard_(handlers())
    {
    }

    ScriptedUser& then(const QString& dialogName, Step step)
    {
        steps_[dialogName].push_back(std::move(step));
        return *this;
    }
    ScriptedUser& answer(const QString& dialogName, int result)
    {
        return then(dialogName, [result](QDialog&) { return result; });
    }
    ScriptedUser& openFile(QString path)
    {
        openFiles_.push_back(std::move(path));
        return *this;
    }

    std::vector<Shown> shown;
    std::vector<QString> transferTitles;
    std::vector<int> transferProgress; // the bar when each run ended
    QStringList systemErrors;
    QStringList errorReports;
    std::vector<FileDialogRequest> fileRequests;

    // The messages shown, in order (outcome texts and the dialogs' own).
    QStringList messages() const
    {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.dialog == QLatin1String("TUserWarnDlg") || s.dialog == QLatin1String("TMyWarnDlg_2"))
                texts << s.message;
        return texts;
    }
    int count(const QString& dialogName) const
    {
        int n = 0;
        for (const Shown& s : shown)
            n += s.dialog == dialogName ? 1 : 0;
        return n;
    }

private:
    ModalHandlers handlers()
    {
        ModalHandlers h;
        h.dialog = [this](QDialog& dialog) { return respond(dialog); };
        h.openFile = [this](const FileDialogRequest& request) {
            fileRequests.push_back(request);
            if (openFiles_.empty())
                return QString();
            QString path = openFiles_.front();
            openFiles_.pop_front();
            return path;
        };
        h.errorReport = [this](const QString& text) { errorReports << text; };
        h.systemError = [this](QWidget*, const QString& text) { systemErrors << text; };
        return h;
    }

    int respond(QDialog& dialog)
    {
        const QString name = dialog.objectName();
        shown.push_back({name, MessageOf(dialog)});
        auto queued = steps_.find(name);
        if (queued != steps_.end() && !queued->second.empty()) {
            Step step = std::move(queued->second.front());
            queued->second.pop_front();
            return step(dialog);
        }
        if (auto* transfer = qobject_cast<TProgramDialog*>(&dialog)) {
            transferTitles.push_back(transfer->windowTitle());
            transfer->HidCtlDeviceChange();
            QTest::mouseClick(transfer->ProgramStart, Qt::LeftButton);
            clock_.advanceUntil([transfer] { return transfer->engine().outcome().has_value(); }, 600000);
            transferProgress.push_back(transfer->engine().progress());
            return transfer->result();
        }
        return name == QLatin1String("TUserWarnDlg") ? mrOK : mrCancel;
    }

    VirtualClock& clock_;
    std::map<QString, std::deque<Step>> steps_;
    std::deque<QString> openFiles_;
    ModalHandlersGuard guard_;
};

} // namespace lt::test
