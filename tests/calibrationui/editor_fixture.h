#pragma once

#include "calibrationui/TAdjustmentDlg.h"
#include "support/RadioRig.h"
#include "ui/AppLang.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace lt::test {

// The calibration editor open on a fresh program, attached to the emulator.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().fSetLangType(1);
        dialog = std::make_unique<TAdjustmentDlg>(rig.program, rig.env);
        dialog->show();
    }
    void TearDown() override
    {
        dialog.reset();
        AppLang().fSetDetectType();
    }

    template <class T>
    T* control(const char* name)
    {
        T* found = dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    QComboBox* list(const char* name) { return control<QComboBox>(name); }
    QTableWidget* grid(const char* name) { return control<QTableWidget>(name); }
    QPushButton* button(const char* name) { return control<QPushButton>(name); }

    // The user moves on to another control.
    static void leave(QWidget* control)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(control, &out);
    }

    // The user replaces an edit's text by typing.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    void doubleClick(QTableWidget* table, int row, int column)
    {
        QWidget* viewport = table->viewport();
        const QPoint at = table->visualRect(table->model()->index(row, column)).center();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &twice);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }

    CalibrationData& calibration() { return rig.program.calibration; }

    RadioRig rig;
    std::unique_ptr<TAdjustmentDlg> dialog;
};

} // namespace lt::test
