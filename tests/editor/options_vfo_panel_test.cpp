#include "options_page_fixture.h"

#include "codeplug/ToneTables.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>

namespace lt::test {
namespace {

using VfoPanelTest = OptionsPageTest;

struct FrequencyCase {
    const char* edit;
    const char* typed;
    uint32_t stored;
    const char* shown;
};

uint32_t storedFrequency(CodeplugModel& model, const QString& edit)
{
    const bool sideA = edit.endsWith(QStringLiteral("_A"));
    if (edit.startsWith(QStringLiteral("eFr_Offset")))
        return model.get(sideA ? cp::Fr_Offset_A : cp::Fr_Offset_B);
    const ChannelRecord vfo = sideA ? model.vfoA() : model.vfoB();
    return edit.startsWith(QStringLiteral("eFr_TxFreq")) ? vfo.TxFreq() : vfo.RxFreq();
}

TEST_F(VfoPanelTest, FrequencyAndOffsetEditsStoreTheClampedValueAndShowIt)
{
    // Default bands: VHF 136-174 MHz, UHF 400-470 MHz; largest offsets 70 and 38 MHz.
    const FrequencyCase cases[] = {
        {"eFr_Freq_A", "", 136000000, "136.00000"},
        {"eFr_Freq_A", "500", 470000000, "470.00000"},
        {"eFr_TxFreq_A", "100", 136000000, "136.00000"},
        {"eFr_Freq_B", "300", 174000000, "174.00000"},
        {"eFr_TxFreq_B", "145.5123", 145512000, "145.51200"},
        {"eFr_Freq_B", "440.00049", 440000000, "440.00000"},
        {"eFr_Offset_A", "0.6", 600000, "0.60000"},
        {"eFr_Offset_A", "", 0, "0"},
        {"eFr_Offset_B", "12.5", 12500000, "12.50000"},
        {"eFr_Offset_B", "70", 70000000, "70.00000"},
        {"eFr_Offset_B", "80", 38000000, "38.00000"},
        {"eFr_Offset_A", "1.0001", 1000000, "1.00000"},
    };
    for (const FrequencyCase& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " <- '" + c.typed + "'");
        QLineEdit* target = edit(QString::fromLatin1(c.edit));
        retype(target, QString::fromLatin1(c.typed));
        EXPECT_EQ(storedFrequency(model(), target->objectName()), c.stored);
        EXPECT_EQ(target->text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(VfoPanelTest, LeavingAFrequencyEditUnchangedStillCommitsIt)
{
    // A value from a file that is off the 500 Hz grid is stored rounded as soon
    // as the user passes through the edit.
    model().vfoA().setRxFreq(438123456);
    page->refresh();
    EXPECT_EQ(edit(QStringLiteral("eFr_Freq_A"))->text(), QStringLiteral("438.12345"));
    enterAndLeave(edit(QStringLiteral("eFr_Freq_A")));
    EXPECT_EQ(model().vfoA().RxFreq(), 438123000u);
    EXPECT_EQ(edit(QStringLiteral("eFr_Freq_A"))->text(), QStringLiteral("438.12300"));
}

TEST_F(VfoPanelTest, FrequencyEditsDropDisallowedKeysAndCorrectTheirText)
{
    QLineEdit* freq = edit(QStringLiteral("eFr_Freq_B"));
    freq->setFocus();
    freq->clear();
    type(freq, QStringLiteral("1a4-5 .x5.2"));
    EXPECT_EQ(freq->text(), QStringLiteral("145.52")) << "letters, signs and the second point are dropped";
    freq->clear();
    type(freq, QStringLiteral("."));
    EXPECT_EQ(freq->text(), QString()) << "a lone point is removed";
    type(freq, QStringLiteral("1234567890"));
    EXPECT_EQ(freq->text(), QStringLiteral("123456789")) << "nine characters at most";

    QLineEdit* offset = edit(QStringLiteral("eFr_Offset_B"));
    offset->clear();
    offset->setFocus();
    type(offset, QStringLiteral("12.345678"));
    EXPECT_EQ(offset->text(), QStringLiteral("12.34567")) << "eight characters at most";

    const uint32_t storedOffset = model().get(cp::Fr_Offset_B);
    QTest::keyClick(offset, Qt::Key_Return);
    EXPECT_TRUE(offset->hasFocus()) << "Enter neither commits nor moves on";
    EXPECT_EQ(offset->text(), QStringLiteral("12.34567"));
    EXPECT_EQ(model().get(cp::Fr_Offset_B), storedOffset);
}

TEST_F(VfoPanelTest, AFrequencyEndingInThePointIsReportedAndChangesNothing)
{
    ErrorReports reports;
    const uint32_t before = model().vfoA().TxFreq();
    retype(edit(QStringLiteral("eFr_TxFreq_A")), QStringLiteral("438."));
    ASSERT_EQ(reports.messages.size(), 1);
    EXPECT_TRUE(reports.messages.first().contains(QStringLiteral("438."))) << reports.messages.first().toStdString();
    EXPECT_EQ(model().vfoA().TxFreq(), before);

    const uint32_t offsetBefore = model().get(cp::Fr_Offset_B);
    retype(edit(QStringLiteral("eFr_Offset_B")), QStringLiteral("5."));
    EXPECT_EQ(reports.messages.size(), 2);
    EXPECT_EQ(model().get(cp::Fr_Offset_B), offsetBefore);
}

TEST_F(VfoPanelTest, AfterAFailedCommitTheEditShowsTheKeptValueAndLeavingAgainIsQuiet)
{
    for (const char* name : {"eFr_Freq_A", "eFr_TxFreq_B", "eFr_Offset_A"}) {
        SCOPED_TRACE(name);
        ErrorReports reports;
        QLineEdit* target = edit(QString::fromLatin1(name));
        const uint32_t before = storedFrequency(model(), target->objectName());
        const QString shown = target->text();
        retype(target, QStringLiteral("438."));
        ASSERT_EQ(reports.messages.size(), 1);
        EXPECT_EQ(target->text(), shown) << "the window shows what the codeplug holds";
        // The next command moves the focus through the edit again.
        enterAndLeave(target);
        EXPECT_EQ(reports.messages.size(), 1) << "the next command runs at the first try";
        EXPECT_EQ(storedFrequency(model(), target->objectName()), before);
    }
}

TEST_F(VfoPanelTest, SwitchingToAnotherWindowIsNoFocusLoss)
{
    ErrorReports reports;
    QLineEdit* freq = edit(QStringLiteral("eFr_Freq_A"));
    freq->setFocus(Qt::OtherFocusReason);
    freq->selectAll();
    type(freq, QStringLiteral("438."));

    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(other.isActiveWindow());
    EXPECT_TRUE(reports.messages.isEmpty()) << "half-typed text is not committed while the user looks elsewhere";
    EXPECT_EQ(freq->text(), QStringLiteral("438."));

    window->activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(freq->hasFocus());
    type(freq, QStringLiteral("5"));
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_TRUE(reports.messages.isEmpty());
    EXPECT_EQ(model().vfoA().RxFreq(), 438500000u);
}

TEST_F(VfoPanelTest, ChoosingADecodeToneSetsBothTonesAndTheEncodeToneOnlyItself)
{
    QComboBox* decode = box(QStringLiteral("cbFr_SubaudioDe_A"));
    QComboBox* encode = box(QStringLiteral("cbFr_SubaudioEn_A"));
    EXPECT_EQ(decode->count(), kToneListSize);
    choose(decode, QStringLiteral("88.5"));
    EXPECT_EQ(decode->currentText(), QStringLiteral("88.5"));
    EXPECT_EQ(encode->currentText(), QStringLiteral("88.5"));
    EXPECT_EQ(model().vfoA().RxToneCode(), 885);
    EXPECT_EQ(model().vfoA().RxToneType(), kToneCtcss);
    EXPECT_EQ(model().vfoA().TxToneCode(), 885);
    EXPECT_EQ(model().vfoA().TxToneType(), kToneCtcss);

    choose(encode, QStringLiteral("D023N"));
    EXPECT_EQ(model().vfoA().TxToneCode(), 0x2813);
    EXPECT_EQ(model().vfoA().TxToneType(), kToneDcsNormal);
    EXPECT_EQ(model().vfoA().RxToneCode(), 885);
    EXPECT_EQ(decode->currentText(), QStringLiteral("88.5"));
    EXPECT_EQ(model().vfoB().RxToneType(), kToneNone) << "the other side is untouched";
}

TEST_F(VfoPanelTest, TabbingOutOfTheDecodeBoxCopiesItsToneIntoTheEncodeTone)
{
    model().vfoB().setRxTone(885, kToneCtcss);
    model().vfoB().setTxTone(1000, kToneCtcss);
    page->refresh();
    QComboBox* decode = box(QStringLiteral("cbFr_SubaudioDe_B"));
    QComboBox* encode = box(QStringLiteral("cbFr_SubaudioEn_B"));
    EXPECT_EQ(encode->currentText(), QStringLiteral("100.0"));

    decode->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(decode, Qt::Key_Tab);
    EXPECT_FALSE(decode->hasFocus());
    EXPECT_EQ(model().vfoB().TxToneCode(), 885);
    EXPECT_EQ(model().vfoB().TxToneType(), kToneCtcss);
    EXPECT_EQ(encode->currentText(), QStringLiteral("88.5"));
}

TEST_F(VfoPanelTest, TypedTonesAreCapitalisedFilteredAndCutToFiveCharacters)
{
    QComboBox* encode = box(QStringLiteral("cbFr_SubaudioEn_B"));
    encode->setFocus(Qt::OtherFocusReason);
    encode->lineEdit()->selectAll();
    type(encode, QStringLiteral("d754i"));
    EXPECT_EQ(encode->currentText(), QStringLiteral("D754I"));
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(model().vfoB().TxToneCode(), 0x2800 + 0754);
    EXPECT_EQ(model().vfoB().TxToneType(), kToneDcsInverted);

    encode->setFocus(Qt::OtherFocusReason);
    encode->lineEdit()->selectAll();
    type(encode, QStringLiteral("8x8,.4-7Z9"));
    EXPECT_EQ(encode->currentText(), QStringLiteral("88.47")) << "only digits, the point and D, N, I pass";
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(model().vfoB().TxToneCode(), 0x2800 + 0754) << "88.47 is no tone; the stored one stays";
    EXPECT_EQ(encode->currentText(), QStringLiteral("D754I"));

    encode->setFocus(Qt::OtherFocusReason);
    encode->lineEdit()->selectAll();
    type(encode, QStringLiteral("88.4"));
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(model().vfoB().TxToneCode(), 884) << "a non-standard tone is accepted";
    EXPECT_EQ(encode->currentText(), QStringLiteral("88.4"));
}

TEST_F(VfoPanelTest, ARejectedDecodeTextKeepsTheToneAndStillCopiesIt)
{
    model().vfoA().setRxTone(0x2813, kToneDcsInverted);
    model().vfoA().setTxTone(885, kToneCtcss);
    page->refresh();
    QComboBox* decode = box(QStringLiteral("cbFr_SubaudioDe_A"));
    decode->setFocus(Qt::OtherFocusReason);
    decode->lineEdit()->selectAll();
    type(decode, QStringLiteral("D089N"));
    sink->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(decode->currentText(), QStringLiteral("D023I"));
    EXPECT_EQ(model().vfoA().TxToneCode(), 0x2813);
    EXPECT_EQ(model().vfoA().TxToneType(), kToneDcsInverted);
    EXPECT_EQ(box(QStringLiteral("cbFr_SubaudioEn_A"))->currentText(), QStringLiteral("D023I"));
}

TEST_F(VfoPanelTest, StepShowsItsTextAndStoresTheChosenStep)
{
    QComboBox* step = box(QStringLiteral("cbStep_B"));
    EXPECT_EQ(model().get(cp::Step_B), 12500u);
    EXPECT_EQ(step->currentText(), QStringLiteral("12.5K"));
    choose(step, QStringLiteral("6.25K"));
    EXPECT_EQ(model().get(cp::Step_B), 6250u);
    EXPECT_EQ(model().get(cp::Step_A), 12500u);

    model().set(cp::Step_B, 7000);
    page->refresh();
    EXPECT_EQ(step->currentIndex(), -1) << "a step the radio does not offer shows no item";
    enterAndLeave(step);
    EXPECT_EQ(model().get(cp::Step_B), 7000u) << "and passing through keeps it";
}

struct ListCase {
    const char* box;
    std::function<void(CodeplugModel&)> store;
    const char* shown; // "" = no item
    const char* chosen; // nullptr = leave without a choice
    std::function<uint32_t(CodeplugModel&)> read;
    uint32_t after;
};

TEST_F(VfoPanelTest, ListBoxesShowTheStoredValueAndStoreTheChosenItem)
{
    const ListCase cases[] = {
        {"cbFr_Power_A", [](CodeplugModel& m) { m.vfoA().setChInfor_Pow(1); }, "High", "Low",
         [](CodeplugModel& m) { return uint32_t(m.vfoA().ChInfor_Pow()); }, 0},
        {"cbFr_Bandwidth_B", [](CodeplugModel& m) { m.vfoB().setChInfor_Bandwidth(0); }, "Narrow", "Wide",
         [](CodeplugModel& m) { return uint32_t(m.vfoB().ChInfor_Bandwidth()); }, 1},
        {"cbFr_BUS_A", [](CodeplugModel& m) { m.vfoA().setChInfor_BusyFit(2); }, "CAT", "DQT",
         [](CodeplugModel& m) { return uint32_t(m.vfoA().ChInfor_BusyFit()); }, 1},
        {"cbFr_BUS_A", [](CodeplugModel& m) { m.vfoA().setChInfor_BusyFit(3); }, "", nullptr,
         [](CodeplugModel& m) { return uint32_t(m.vfoA().ChInfor_BusyFit()); }, 3},
        {"cbFr_OffsetDir_B", [](CodeplugModel& m) { m.vfoB().setOffsetDir(1); }, "+", "-",
         [](CodeplugModel& m) { return uint32_t(m.vfoB().OffsetDir()); }, 2},
        {"cbMODE_A", [](CodeplugModel& m) { m.set(cp::MODE_A, 2); }, "CH + Freq", "Frequency",
         [](CodeplugModel& m) { return m.get(cp::MODE_A); }, 0},
        {"cbFr_JiaMi_B", [](CodeplugModel& m) { m.vfoB().setChInfor_JiaMi(3); }, "Special DCS 3", "OFF",
         [](CodeplugModel& m) { return uint32_t(m.vfoB().ChInfor_JiaMi()); }, 0},
        {"cbFr_Comp_A", [](CodeplugModel& m) { m.vfoA().setChInfor_Comp(0); }, "OFF", "ON",
         [](CodeplugModel& m) { return uint32_t(m.vfoA().ChInfor_Comp()); }, 1},
        {"cbFr_Scr_B", [](CodeplugModel& m) { m.vfoB().setChInfor_Scr(8); }, "scramble 8", "scramble 2",
         [](CodeplugModel& m) { return uint32_t(m.vfoB().ChInfor_Scr()); }, 2},
        {"cbFr_Scr_B", [](CodeplugModel& m) { m.vfoB().setChInfor_Scr(12); }, "", nullptr,
         [](CodeplugModel& m) { return uint32_t(m.vfoB().ChInfor_Scr()); }, 12},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.box);
        c.store(model());
        const std::array<uint8_t, cp::kBlockSize> before = [&] {
            std::array<uint8_t, cp::kBlockSize> copy{};
            std::copy(model().block().begin(), model().block().end(), copy.begin());
            return copy;
        }();
        page->refresh();
        QComboBox* target = box(QString::fromLatin1(c.box));
        EXPECT_EQ(target->currentText(), QString::fromLatin1(c.shown));
        if (c.chosen)
            choose(target, QString::fromLatin1(c.chosen));
        else
            enterAndLeave(target);
        EXPECT_EQ(c.read(model()), c.after);
        if (!c.chosen) {
            EXPECT_TRUE(std::equal(before.begin(), before.end(), model().block().begin())) << "nothing else changed";
        }
    }
}

TEST_F(VfoPanelTest, PanelsCarryTheirHeadingsAndLabelsInTheCurrentLanguage)
{
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("GroupBox11"))->title(), QStringLiteral(" A "));
    EXPECT_EQ(control<QGroupBox>(QStringLiteral("GroupBox12"))->title(), QStringLiteral(" B "));
    EXPECT_EQ(control<QLabel>(QStringLiteral("sFr_Freq_B"))->text(), QStringLiteral("RX Frequency"));
    EXPECT_EQ(box(QStringLiteral("cbMODE_B"))->itemText(1), QStringLiteral("Channel"));

    AppLang().fSetLangType(2);
    page->refresh();
    EXPECT_EQ(control<QLabel>(QStringLiteral("sFr_TxFreq_A"))->text(), QStringLiteral("TX 频率"));
    EXPECT_EQ(control<QLabel>(QStringLiteral("sFr_SubaudioDe_B"))->text(), QStringLiteral("亚音频解码"));
    EXPECT_EQ(box(QStringLiteral("cbMODE_A"))->currentText(), QStringLiteral("频率"));
    EXPECT_EQ(box(QStringLiteral("cbFr_OffsetDir_A"))->itemText(0), QStringLiteral("关闭"));
    AppLang().fSetLangType(1);
}

} // namespace
} // namespace lt::test
