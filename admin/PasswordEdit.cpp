#include "admin/PasswordEdit.h"

#include <QFont>
#include <QLineEdit>

namespace lt {

namespace {
constexpr int kPasswordFontPoints = 16;
} // namespace

QLineEdit* MakePasswordEdit(QWidget* parent, const QString& objectName, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    QFont font = edit->font();
    font.setPointSize(kPasswordFontPoints);
    edit->setFont(font);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

} // namespace lt
