#include "transferui/TransferRun.h"

#include "transfer/TransferEnvironment.h"
#include "transferui/TProgramDialog.h"
#include "ui/AppLang.h"
#include "ui/ModalSeam.h"

#include <stdexcept>

namespace lt {

namespace {
constexpr int kTitleRead = 247;
constexpr int kTitleWrite = 248;
} // namespace

QString TransferTitle(int32_t operation, int32_t direction)
{
    switch (operation) {
    case op::Codeplug:
    case op::Calibration:
    case op::RfChipStatus:
    case op::WriteAll:
        return MainText(direction == kDirectionRead ? kTitleRead : kTitleWrite);
    case op::DataDownload:
    case op::FirmwareUpdate:
        return QStringLiteral("下载");
    default:
        return {};
    }
}

bool RunTransfer(TransferEnvironment& env, Program& program, QWidget* owner, int32_t operation, int32_t direction,
                 const QString& title)
{
    env.state.TransferOperation = operation;
    env.state.direction = direction;
    const std::unique_ptr<OperationRoutine> routine = env.operations.create(operation, direction);
    if (!routine)
        throw std::logic_error("no routine for transfer operation " + std::to_string(operation));
    TProgramDialog dialog(env, program, *routine, owner);
    dialog.setWindowTitle(title);
    execModal(dialog);
    return dialog.succeeded();
}

} // namespace lt
