#include "admin/ServiceDialogs.h"

#include "admin/TBandSetDlg.h"
#include "admin/TCustomIdDlg.h"
#include "calibrationui/TAdjustmentDlg.h"
#include "transferui/TUpdateDlg.h"
#include "ui/ModalSeam.h"
#include "ui/ProgramWindow.h"

namespace lt {

void OpenServiceDialog(ServiceDialog dialog, AdminContext& context, QWidget* parent)
{
    Program& program = context.mainWindow.program();
    switch (dialog) {
    case ServiceDialog::Calibration: {
        TAdjustmentDlg editor(program, context.env, parent);
        execModal(editor);
        break;
    }
    case ServiceDialog::BandLimits: {
        TBandSetDlg bands(context.mainWindow, parent);
        execModal(bands);
        break;
    }
    case ServiceDialog::Update: {
        TUpdateDlg update(program, context.env, context.download, parent);
        execModal(update);
        break;
    }
    case ServiceDialog::CustomerId: {
        TCustomIdDlg customerId(program, context.env, parent);
        while (execModal(customerId) != mrCancel) {
        }
        break;
    }
    }
}

} // namespace lt
