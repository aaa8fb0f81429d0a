#include "ui/AppLang.h"
#include "ui/InterfaceLanguage.h"
#include "ui/ModalSeam.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>

#include <gtest/gtest.h>

namespace lt {
namespace {

struct QtTextsCase {
    int language;
    const char* fileType;  // the file dialog's label of the file types
    const char* replace;   // its overwrite question
    const char* ok;        // the error report's button
};

// The file dialogs, their overwrite question and the error report are Qt's
// own; they follow the interface language through Qt's translations.
TEST(QtTexts, FileDialogsAndTheErrorReportFollowTheInterfaceLanguage)
{
    const QtTextsCase cases[] = {
        {0, "Files of type:", "%1 already exists.\nDo you want to replace it?", "OK"},
        {1, "文件类型：", "%1 已存在。\n您想要替换它吗？", "确定"},
        {2, "檔案型態：", "%1 已存在。\n是否取代？", "確定"},
        {0, "Files of type:", "%1 already exists.\nDo you want to replace it?", "OK"},
    };
    for (const QtTextsCase& c : cases) {
        SCOPED_TRACE(c.language);
        SetProgramLanguage(c.language);
        QString label;
        QStringList types;
        ModalHandlers handlers;
        handlers.dialog = [&](QDialog& dialog) {
            label = dialog.findChild<QLabel*>(QStringLiteral("fileTypeLabel"))->text();
            const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; i < combo->count(); ++i)
                types << combo->itemText(i);
            return int(mrCancel);
        };
        ModalHandlersGuard guard(std::move(handlers));
        EXPECT_TRUE(askSaveFileName({nullptr, QStringLiteral("Save"), QStringLiteral("Korvo File(*.Kvf)|*.Kvf"),
                                     QStringLiteral("Kvf")})
                        .isEmpty());
        EXPECT_EQ(label, QString::fromUtf8(c.fileType));
        EXPECT_EQ(types, QStringList{QStringLiteral("Korvo File(*.Kvf)")}) << "the file type as the program words it";
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?"),
                  QString::fromUtf8(c.replace));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QString::fromUtf8(c.ok));
    }
    AppLang().fSetDetectType();
}

} // namespace
} // namespace lt
