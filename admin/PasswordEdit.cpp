#include "admin/PasswordEdit.h"

#include "codeplug/TextEntryRules.h"
#include "ui/ControlHooks.h"

#include <QFont>
#include <QKeyEvent>
#include <QLineEdit>

namespace lt {

namespace {
constexpr int kPasswordFontPoints = 16;
} // namespace

QLineEdit* MakePasswordEdit(QWidget* parent, const QString& objectName, int maxBytes)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    QFont font = edit->font();
    font.setPointSize(kPasswordFontPoints);
    edit->setFont(font);
    if (maxBytes > 0) {
        edit->setMaxLength(maxBytes);
        HandleKeys(edit, [](const QKeyEvent& key) { return !GbkCanHold(key.text()); });
        CorrectOnChange(edit, [maxBytes](const QString& text) { return FitGbkText(text, maxBytes); });
    }
    return edit;
}

} // namespace lt
