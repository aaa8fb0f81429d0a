#include "options_page_fixture.h"

#include "codeplug/TextEntryRules.h"
#include "editor/FunctionSettingLists.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <optional>
#include <vector>

namespace lt::test {
namespace {

using FunctionSettingsTest = OptionsPageTest;

struct ListCase {
    cp::Field field;
    uint32_t stored;
    const char* shown;          // "" = no item
    uint32_t afterRefresh;      // the model right after the refresh
    const char* chosen;         // nullptr = pass through without a choice
    uint32_t afterCommit;
};

QString boxOf(const cp::Field& field) { return QStringLiteral("cb") + QLatin1String(field.name); }

TEST_F(FunctionSettingsTest, StoredValueShownItemAndValueAfterLeaving)
{
    const ListCase cases[] = {
        {cp::TOT, 180, "180", 180, "OFF", 0},
        {cp::TOT, 180, "180", 180, "270", 270},
        {cp::TOT, 0, "OFF", 0, nullptr, 0},
        {cp::TOT, 45, "30", 45, nullptr, 30},
        {cp::TOT, 300, "", 300, nullptr, 300},
        {cp::APO, 120, "2H", 120, "12H", 720},
        {cp::APO, 120, "2H", 120, "30m", 30},
        {cp::APO, 0, "OFF", 0, "10m", 10},
        {cp::APO, 60, "1H", 60, nullptr, 60},
        {cp::APO, 90, "1H", 90, nullptr, 60},
        {cp::APO, 20, "", 20, nullptr, 20},
        {cp::APO, 780, "", 780, nullptr, 780},
        {cp::BackLight, 255, "On", 255, "5S", 5},
        {cp::BackLight, 20, "20S", 20, "On", 255},
        {cp::BackLight, 7, "", 7, nullptr, 7},
        {cp::VOX_DELAY, 700, "0.3", 300, nullptr, 300},
        {cp::VOX_DELAY, 0, "0.3", 300, "3.0", 3000},
        {cp::VOX_DELAY, 1500, "1.5", 1500, "0.5", 500},
        {cp::MEM, 240, "240", 240, nullptr, 240},
        {cp::MEM, 1, "1", 1, "17", 17},
        {cp::MEM, 0, "", 0, nullptr, 0},
        {cp::MEM, 241, "", 241, nullptr, 241},
        {cp::PriScan, 0, "OFF", 0, "240", 240},
        {cp::PriScan, 12, "12", 12, "OFF", 0},
        {cp::PriScan, 241, "", 241, nullptr, 241},
        {cp::TOA, 11, "", 11, nullptr, 11},
        {cp::TOA, 10, "10", 10, "OFF", 0},
        {cp::SQL, 9, "9", 9, "0", 0},
        {cp::SCAN, 2, "Seek", 2, "Time", 0},
        {cp::KeyLock, 0, "Manu", 0, "Auto", 1},
        {cp::DoubleWatch, 1, "On", 1, "Off", 2},
        {cp::Language, 1, "English", 1, "Chinese", 0},
        {cp::ROG, 3, "3", 3, "OFF", 0},
        {cp::Mic_SW, 0, "in hand", 0, "device host", 1},
        {cp::Mic_Denoise, 1, "ON", 1, "OFF", 0},
        {cp::VOX, 0, "OFF", 0, "9", 9},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(c.field.name)).arg(c.stored).toStdString());
        model().set(c.field, c.stored);
        page->refresh();
        EXPECT_EQ(model().get(c.field), c.afterRefresh);
        QComboBox* target = box(boxOf(c.field));
        EXPECT_EQ(target->currentText(), QString::fromUtf8(c.shown));
        if (c.chosen)
            choose(target, QString::fromUtf8(c.chosen));
        else
            enterAndLeave(target);
        EXPECT_EQ(model().get(c.field), c.afterCommit);
    }
}

TEST_F(FunctionSettingsTest, ListsAreRefilledInTheCurrentLanguage)
{
    model().set(cp::BackLight, 255);
    model().set(cp::APO, 720);
    AppLang().fSetLangType(2);
    page->refresh();
    EXPECT_EQ(box(QStringLiteral("cbBackLight"))->currentText(), QStringLiteral("开"));
    EXPECT_EQ(box(QStringLiteral("cbBackLight"))->itemText(0), QStringLiteral("5秒"));
    EXPECT_EQ(box(QStringLiteral("cbAPO"))->currentText(), QStringLiteral("12小时"));
    EXPECT_EQ(box(QStringLiteral("cbTOT"))->count(), 10);
    EXPECT_EQ(box(QStringLiteral("cbPriScan"))->count(), 241);
    EXPECT_EQ(control<QLabel>(QStringLiteral("sMEM"))->text(), QStringLiteral("常用信道"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("sPowerOnMsg2"))->text(), QStringLiteral("开机信息 2"));
    EXPECT_EQ(control<QCheckBox>(QStringLiteral("cWorkModeLock"))->text(), QStringLiteral("锁定在信道模式"));
    AppLang().fSetLangType(1);
    page->refresh();
    EXPECT_EQ(box(QStringLiteral("cbBackLight"))->currentText(), QStringLiteral("On"));
    EXPECT_EQ(box(QStringLiteral("cbBackLight"))->count(), 5);
    EXPECT_EQ(control<QLabel>(QStringLiteral("sPowerOnMsg2"))->text(), QStringLiteral("Power On Msg 2"));
}

struct SwitchCase {
    cp::Field field;
    uint32_t stored;
    bool checked;
};

TEST_F(FunctionSettingsTest, CheckBoxesShowTheirFieldAndStoreOneOrZeroWhenLeft)
{
    const SwitchCase cases[] = {
        {cp::Beep, 1, true}, {cp::Beep, 2, false},
        {cp::NAM, 0, false}, {cp::NAM, 1, true},
        {cp::LockSingleFreq, 2, true}, {cp::LockSingleFreq, 0, false},
        {cp::MenuDisp, 7, true},
        {cp::WatchMode, 3, false}, {cp::WatchMode, 1, true},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 = %2").arg(QLatin1String(c.field.name)).arg(c.stored).toStdString());
        model().set(c.field, c.stored);
        page->refresh();
        auto* target = control<QCheckBox>(QStringLiteral("c") + QLatin1String(c.field.name));
        EXPECT_EQ(target->isChecked(), c.checked);
        target->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(target, Qt::Key_Space);
        EXPECT_EQ(target->isChecked(), !c.checked);
        EXPECT_EQ(model().get(c.field), c.stored) << "the box commits when it is left";
        sink->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(model().get(c.field), c.checked ? 0u : 1u);
    }
}

TEST_F(FunctionSettingsTest, TextBoxesKeepTheirByteLimitWhileTyping)
{
    QLineEdit* message = edit(QStringLiteral("ePowerOnMsg"));
    EXPECT_EQ(message->text(), QStringLiteral("WELCOME"));
    message->setFocus(Qt::OtherFocusReason);
    message->end(false);
    type(message, QStringLiteral("SX"));
    EXPECT_EQ(message->text(), QStringLiteral("WELCOMES")) << "a ninth byte is removed at once";

    message->clear();
    type(message, QStringLiteral("欢迎光临您"));
    EXPECT_EQ(message->text(), QStringLiteral("欢迎光临")) << "four double-byte characters fill the 8 bytes";
    message->clear();
    type(message, QStringLiteral("1欢迎光临"));
    EXPECT_EQ(message->text(), QStringLiteral("1欢迎光")) << "a character that does not fit whole is removed";

    QLineEdit* second = edit(QStringLiteral("ePowerOnMsg2"));
    second->setFocus(Qt::OtherFocusReason);
    type(second, QStringLiteral("ABCDEFGHIJKLMNOPQRSTU"));
    EXPECT_EQ(second->text(), QStringLiteral("ABCDEFGHIJKLMNOPQRST")) << "a twenty-first byte is removed";

    QLineEdit* user = edit(QStringLiteral("eHuHao"));
    user->setFocus(Qt::OtherFocusReason);
    type(user, QStringLiteral("a!b\"c#$%&'()d{e|f}g~ h"));
    EXPECT_EQ(user->text(), QStringLiteral("abcdefg ")) << "! to ) and { to ~ are dropped, the space passes";
    user->clear();
    type(user, QStringLiteral("B한😀é€"));
    EXPECT_EQ(user->text(), QStringLiteral("Bé€")) << "characters GBK has no code for are dropped";
}

TEST_F(FunctionSettingsTest, TextBoxesStoreGbkBytesZeroFilledWhenLeft)
{
    std::fill(model().bytes(cp::PowerOnMsg2).begin(), model().bytes(cp::PowerOnMsg2).end(), 0x55);
    QLineEdit* second = edit(QStringLiteral("ePowerOnMsg2"));
    second->setFocus(Qt::OtherFocusReason);
    second->clear();
    type(second, QStringLiteral("对讲机 A"));
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus()) << "Enter has no special effect";
    sink->setFocus(Qt::OtherFocusReason);

    const QByteArray expected = QByteArray::fromHex("b6d4bdb2bbfa2041");
    EXPECT_EQ(model().text(cp::PowerOnMsg2), expected);
    const std::span<uint8_t> field = model().bytes(cp::PowerOnMsg2);
    EXPECT_TRUE(std::all_of(field.begin() + expected.size(), field.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(second->text(), QStringLiteral("对讲机 A"));

    model().setText(cp::HuHao, QByteArray::fromHex("d5c5c8fd"));
    page->refresh();
    EXPECT_EQ(edit(QStringLiteral("eHuHao"))->text(), QStringLiteral("张三"));
    enterAndLeave(edit(QStringLiteral("eHuHao")));
    EXPECT_EQ(model().text(cp::HuHao), QByteArray::fromHex("d5c5c8fd"));
}

TEST_F(FunctionSettingsTest, AFullNineByteMessageFromAFileIsCutToEightWhenShown)
{
    std::span<uint8_t> field = model().bytes(cp::PowerOnMsg);
    std::fill(field.begin(), field.end(), uint8_t('Z'));
    page->refresh();
    EXPECT_EQ(edit(QStringLiteral("ePowerOnMsg"))->text(), QStringLiteral("ZZZZZZZZ"));
    enterAndLeave(edit(QStringLiteral("ePowerOnMsg")));
    EXPECT_EQ(model().text(cp::PowerOnMsg), QByteArrayLiteral("ZZZZZZZZ"));
    EXPECT_EQ(field[8], 0);
}

struct StoredTextCase {
    cp::Field field;
    const char* box;
    const char* storedHex; // a byte that is no whole GBK character at the end
};

TEST_F(FunctionSettingsTest, PassingThroughATextBoxKeepsItsBytesAndTypingStoresWholeCharacters)
{
    const StoredTextCase cases[] = {
        {cp::PowerOnMsg, "ePowerOnMsg", "41424381"},
        {cp::HuHao, "eHuHao", "d5c5c8fd4181"},
        {cp::PowerOnMsg2, "ePowerOnMsg2", "b6d4bdb2bbfa2041fe"},
    };
    for (const StoredTextCase& c : cases) {
        SCOPED_TRACE(c.box);
        model().setText(c.field, QByteArray::fromHex(c.storedHex));
        page->refresh();
        const std::span<uint8_t> field = model().bytes(c.field);
        const std::vector<uint8_t> before(field.begin(), field.end());
        QLineEdit* target = edit(QString::fromLatin1(c.box));
        enterAndLeave(target);
        EXPECT_EQ(std::vector<uint8_t>(field.begin(), field.end()), before) << "the user typed nothing";
        target->setFocus(Qt::OtherFocusReason);
        target->end(false);
        QTest::keyClick(target, Qt::Key_Backspace);
        type(target, QStringLiteral("9"));
        sink->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(model().text(c.field), ToGbk(target->text())) << "an edited text is stored by whole characters";
        EXPECT_TRUE(target->text().endsWith(QLatin1Char('9')));
    }
}

} // namespace
} // namespace lt::test
