#include "app/MainWindow.h"
#include "app/TCompareDlg.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/ValueEncodings.h"
#include "editor/ChannelPage.h"
#include "editor/OptionsPage.h"
#include "emulator/SampleCodeplug.h"
#include "program/Program.h"
#include "support/ModalScript.h"
#include "support/PdfText.h"
#include "ui/AddedTexts.h"
#include "ui/AppLang.h"
#include "ui/Mnemonic.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace lt::test {
namespace {

// Answers the dialogs the test looks into; the script answers the rest.
ModalHandlers DialogsOnly(std::function<int(QDialog&)> answer)
{
    ModalHandlers handlers;
    handlers.dialog = std::move(answer);
    return handlers;
}

// The main window holding the sample codeplug opened from club.kvf.
class DealerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppLang().SetInterfaceLanguage(0);
        program.settings.Language = 0;
        window = std::make_unique<TForm1>(program, dir.filePath(QStringLiteral("_config.ini")));
        window->FullRefresh();
        CodeplugModel sample;
        sample.SetCodeplugDefaults();
        FillSampleCodeplug(sample);
        save(QStringLiteral("club.kvf"), sample);
        script.openFile(path(QStringLiteral("club.kvf")));
        window->MenuFile_OpenClick();
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    QString path(const QString& name) const { return dir.filePath(name); }
    void save(const QString& name, const CodeplugModel& model) { ASSERT_TRUE(SaveCodeplugFile(path(name), model).isEmpty()); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    Program program;
    ModalScript script;
    std::unique_ptr<TForm1> window;
};

TEST_F(DealerWindow, TheFileMenuCarriesTheCommandsInEveryLanguage)
{
    for (int language : {0, 1, 2}) {
        window->SetLanguage(language);
        const struct {
            const char* name;
            Added text;
            char mnemonic;
        } items[] = {{"MenuFile_Print", Added::Print, 'P'},
                     {"MenuFile_ExportPdf", Added::ExportPdf, 'D'},
                     {"MenuFile_Compare", Added::CompareWithFile, 'C'}};
        for (const auto& item : items) {
            ASSERT_NE(action(item.name), nullptr) << item.name;
            EXPECT_EQ(action(item.name)->text(), WithMnemonic(AddedText(item.text), QLatin1Char(item.mnemonic)))
                << item.name;
        }
    }
    EXPECT_EQ(action("MenuFile_Print")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
}

TEST_F(DealerWindow, PrintGoesThroughThePrintDialogToThePrinter)
{
    const QString pdf = path(QStringLiteral("printed.pdf"));
    QString shown;
    ModalHandlersGuard printer(DialogsOnly([&](QDialog& dialog) {
        shown = dialog.objectName();
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        if (!print)
            return int(mrCancel);
        EXPECT_EQ(print->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        print->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    }));
    action("MenuFile_Print")->trigger();
    EXPECT_EQ(shown, QStringLiteral("PrintDialog"));
    EXPECT_EQ(PdfPages(pdf), 2);
    EXPECT_TRUE(PdfText(pdf, 1).contains(QStringLiteral("club.kvf")));
}

TEST_F(DealerWindow, ACancelledPrintDialogPrintsNothing)
{
    ModalHandlersGuard cancel(DialogsOnly([](QDialog&) { return int(mrCancel); }));
    action("MenuFile_Print")->trigger();
    EXPECT_TRUE(script.shown.empty());
    EXPECT_TRUE(script.errors.isEmpty());
}

TEST_F(DealerWindow, ExportPdfIsTitledWithWhereTheCodeplugCameFrom)
{
    script.saveFile(path(QStringLiteral("opened.pdf")));
    action("MenuFile_ExportPdf")->trigger();
    EXPECT_TRUE(PdfText(path(QStringLiteral("opened.pdf")), 1).contains(QStringLiteral("club.kvf")));

    script.answer(mrOK);
    window->MenuFile_NewClick();
    script.saveFile(path(QStringLiteral("new.pdf")));
    action("MenuFile_ExportPdf")->trigger();
    EXPECT_EQ(PdfPages(path(QStringLiteral("new.pdf"))), 1);
    EXPECT_TRUE(PdfText(path(QStringLiteral("new.pdf"))).contains(QStringLiteral("New codeplug")));
    EXPECT_EQ(script.fileRequests.back().defaultSuffix, QStringLiteral("pdf"));
}

TEST_F(DealerWindow, CompareListsTheDifferencesAndADoubleClickShowsWhereEachIsEdited)
{
    CodeplugModel other = program.model;
    other.channel(12).setChInfor_Pow(other.channel(12).ChInfor_Pow() ^ 1);
    other.vfoB().setRxFreq(other.vfoB().RxFreq() + 12500);
    other.set(cp::SQL, 7);
    save(QStringLiteral("other.kvf"), other);
    script.openFile(path(QStringLiteral("other.kvf")));

    auto* grid = window->findChild<QAbstractItemView*>(QStringLiteral("StringGrid1"));
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl_Home"));
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(pages, nullptr);
    QStringList rows;
    QStringList shownAt;
    ModalHandlersGuard compare(DialogsOnly([&](QDialog& dialog) {
        auto* list = qobject_cast<TCompareDlg*>(&dialog);
        if (!list)
            return int(mrCancel);
        for (int row = 0; row < list->sgDifferences->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < list->sgDifferences->columnCount(); ++column)
                cells << list->sgDifferences->item(row, column)->text();
            rows << cells.join(QLatin1Char('|'));
            list->sgDifferencesDblClick(row);
            if (pages->currentWidget() == static_cast<QWidget*>(window->channelPage()))
                shownAt << QStringLiteral("grid %1,%2").arg(grid->currentIndex().column() + 1).arg(grid->currentIndex().row() + 1);
            else if (QWidget* focus = window->focusWidget())
                shownAt << focus->objectName();
        }
        return int(mrOK);
    }));
    action("MenuFile_Compare")->trigger();

    const QString pow = QString::number(program.model.channel(12).ChInfor_Pow());
    const QString otherPow = QString::number(other.channel(12).ChInfor_Pow());
    EXPECT_EQ(rows, (QStringList{QStringLiteral("12|ChInfor_Pow|%1|%2").arg(pow, otherPow),
                                 QStringLiteral("VFO B|RxFreq|%1|%2").arg(FreqToText(program.model.vfoB().RxFreq()), FreqToText(other.vfoB().RxFreq())),
                                 QStringLiteral("|SQL|5|7")}));
    EXPECT_EQ(shownAt, (QStringList{QStringLiteral("grid 5,12"), QStringLiteral("eFr_Freq_B"), QStringLiteral("cbSQL")}));
}

TEST_F(DealerWindow, AnEqualOrUnreadableFileIsSaidInAMessage)
{
    script.openFile(path(QStringLiteral("club.kvf")));
    action("MenuFile_Compare")->trigger();
    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].message, AddedText(Added::CodeplugsEqual));

    QFile shortFile(path(QStringLiteral("short.kvf")));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(300, '\1'));
    shortFile.close();
    script.openFile(path(QStringLiteral("short.kvf")));
    action("MenuFile_Compare")->trigger();
    ASSERT_EQ(script.shown.size(), 2u);
    EXPECT_EQ(script.shown[1].message, AddedText(Added::CannotReadFile));
}

} // namespace
} // namespace lt::test
