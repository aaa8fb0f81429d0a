#pragma once

#include "editor/OptionsPage.h"
#include "program/Program.h"
#include "ui/AppLang.h"
#include "ui/ModalSeam.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace lt::test {

// An options page in an active window of its own, with a focus sink beside it
// so that a control can be left the way the user leaves it: by moving the
// focus elsewhere.
class OptionsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().fSetLangType(1);
        program = std::make_unique<Program>();
        program->model.SetCodeplugDefaults();
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        page = new OptionsPage(*program, window.get());
        sink = new QPushButton(window.get());
        layout->addWidget(page);
        layout->addWidget(sink);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
        ASSERT_TRUE(window->isActiveWindow());
        page->refresh();
    }

    CodeplugModel& model() { return program->model; }

    template <class T = QWidget>
    T* control(const QString& name) const
    {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QComboBox* box(const QString& name) const { return control<QComboBox>(name); }
    QLineEdit* edit(const QString& name) const { return control<QLineEdit>(name); }

    // Focus into the control and out again: the control commits.
    void enterAndLeave(QWidget* widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(widget->hasFocus()) << widget->objectName().toStdString();
        sink->setFocus(Qt::OtherFocusReason);
        ASSERT_FALSE(widget->hasFocus());
    }

    // Types each character as one key press, the way the keyboard delivers it.
    static void type(QWidget* widget, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    // Focus in, select everything, type the text and leave.
    void retype(QLineEdit* target, const QString& text)
    {
        target->setFocus(Qt::OtherFocusReason);
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
        type(target, text);
        sink->setFocus(Qt::OtherFocusReason);
    }

    // Picks an item by its text as a mouse choice would, then leaves the box.
    void choose(QComboBox* target, const QString& item)
    {
        target->setFocus(Qt::OtherFocusReason);
        const int index = target->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        target->setCurrentIndex(index);
        sink->setFocus(Qt::OtherFocusReason);
    }

    std::unique_ptr<Program> program;
    std::unique_ptr<QWidget> window;
    OptionsPage* page = nullptr;
    QPushButton* sink = nullptr;
};

// Collects the error reports instead of showing them.
class ErrorReports {
public:
    ErrorReports()
        : guard_(handlers())
    {
    }
    QStringList messages;

private:
    ModalHandlers handlers()
    {
        ModalHandlers answers;
        answers.errorReport = [this](const QString& message) { messages << message; };
        return answers;
    }
    ModalHandlersGuard guard_;
};

} // namespace lt::test
