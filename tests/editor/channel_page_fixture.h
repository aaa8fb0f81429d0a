#pragma once

#include "editor/ChannelPage.h"
#include "program/Program.h"
#include "ui/AppLang.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace lt::test {

// A channel page on screen (offscreen) in English, with an active window so
// that focus changes reach the editors as they do for the user.
class ChannelPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        page = std::make_unique<ChannelPage>(program, nullptr);
        page->applyGridSizes(program.settings);
        page->refreshBandLabel();
        page->refreshGrid();
        page->resize(1040, 560);
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    template <typename T>
    T* find(const char* name) const
    {
        T* widget = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTableView* grid() const { return find<QTableView>("StringGrid1"); }
    QLineEdit* freqEdit() const { return find<QLineEdit>("Edit_ChFreq"); }
    QComboBox* toneBox() const { return find<QComboBox>("ComboBox1"); }
    QLineEdit* nameEdit() const { return find<QLineEdit>("Edit_ChName"); }

    QRect cellRect(int column, int row) const { return grid()->visualRect(grid()->model()->index(row - 1, column - 1)); }

    // Double click on a cell as the user does, which also makes it current:
    // the first click, then the second one that the system reports as a
    // double click.
    void doubleClick(int column, int row)
    {
        grid()->scrollTo(grid()->model()->index(row - 1, column - 1));
        const QPoint at = cellRect(column, row).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    }

    // The mouse moving over a cell.
    void mouseOver(int column, int row)
    {
        const QPoint at = cellRect(column, row).center();
        QMouseEvent move(QEvent::MouseMove, at, grid()->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid()->viewport(), &move);
    }

    // Selects a cell and types one key on the grid.
    void keyOnCell(int column, int row, Qt::Key key, char text = 0)
    {
        page->setCurrentCell(column, row);
        page->focusGrid();
        if (text)
            QTest::keyClick(grid(), text);
        else
            QTest::keyClick(grid(), key);
    }

    // Moves the focus away from an open editor, as a click elsewhere does.
    void leaveEditor()
    {
        find<QPushButton>("bChBatchSet")->setFocus();
        QApplication::processEvents();
    }

    // Types characters the test keyboard cannot name (Chinese, for example).
    static void typeText(QWidget* widget, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    bool anyEditorVisible() const
    {
        for (const char* name : {"Edit_ChFreq", "ComboBox1", "Edit_ChName", "cbChInfor_Pow", "cbChInfor_Bandwidth",
                                 "cbChInfor_SCN", "cbChInfor_BusyFit", "cbChInfor_JiaMi", "cbChInfor_Comp", "cbChInfor_Scr"}) {
            if (page->findChild<QWidget*>(QString::fromLatin1(name))->isVisible())
                return true;
        }
        return false;
    }

    // A channel in use with the new-channel values at the given frequency.
    void useChannel(int n, uint32_t hz)
    {
        program.model.channel(n).setRxFreq(hz);
        program.model.SetChannelUsed(n, true);
        program.model.StringGridAutoFullRow(n);
        page->StringGridUpdateRow(n);
    }

    Program program;
    std::unique_ptr<ChannelPage> page;
};

} // namespace lt::test
