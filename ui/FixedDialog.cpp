#include "ui/FixedDialog.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace lt {

void MakeFixedDialog(QDialog& dialog, int width, int height)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint);
    dialog.setFixedSize(width, height);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));
}

} // namespace lt
