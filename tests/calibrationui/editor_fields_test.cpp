#include "editor_fixture.h"

#include "codeplug/ValueEncodings.h"
#include "support/ModalScript.h"

namespace lt::test {
namespace {

struct NumberCase {
    const char* edit;
    cal::Field field;
    const char* typed;
    const char* shownWhileTyping;
    uint32_t stored; // what the field holds after leaving
};

class NumberEdits : public EditorTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberEdits, FilterCutCommitAndShowTheStoredValue)
{
    const NumberCase& c = GetParam();
    QLineEdit* e = edit(c.edit);
    ASSERT_NE(e, nullptr);

    retype(e, QString::fromLatin1(c.typed));
    EXPECT_EQ(e->text(), QString::fromLatin1(c.shownWhileTyping));
    leave(e);

    EXPECT_EQ(calibration().get(c.field), c.stored);
    EXPECT_EQ(e->text(), QString::number(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberEdits,
    ::testing::Values(
        // Two characters at most: the third is taken off again.
        NumberCase{"ePinPian_W", cal::PinPian_W, "123", "12", 12},
        // Out of range: the old value stays and is shown again.
        NumberCase{"eCtcPinPian_W", cal::CtcPinPian_W, "70", "70", 4},
        NumberCase{"eDcsPinPian_W", cal::DcsPinPian_W, "63", "63", 63},
        NumberCase{"eSQL_L1", cal::SQL_L1, "", "", 0},
        NumberCase{"eBatt_High", cal::Batt_High, "1a-2 ", "12", 12},
        NumberCase{"eBatt_PowerOn", cal::Batt_PowerOn, "256", "256", 0},
        NumberCase{"eMicGainFine", cal::MicGainFine, "128", "128", 15},
        NumberCase{"eMicGainFine", cal::MicGainFine, "127", "127", 127},
        NumberCase{"eMicGain", cal::MicGain, "99", "99", 99},
        NumberCase{"ePga", cal::Pga, "32", "32", 1},
        NumberCase{"ePga", cal::Pga, "31", "31", 31},
        NumberCase{"eVOX_L9", cal::VOX_L9, "2555", "255", 255},
        NumberCase{"eNoise_th", cal::Noise_th, "81919", "8191", 8191},
        NumberCase{"eRssi3_th", cal::Rssi3_th, "9000", "9000", 850}));

TEST_F(EditorTest, TextThatIsNoNumberIsReportedAndTheFieldKept)
{
    ModalScript modal;
    QLineEdit* e = edit("eSQL_L9");
    // Pasting gets past the key filter.
    e->setText(QStringLiteral("2x"));
    leave(e);

    EXPECT_EQ(calibration().get(cal::SQL_L9), 25u);
    EXPECT_EQ(e->text(), QStringLiteral("25"));
    ASSERT_EQ(modal.errors.size(), 1);
    EXPECT_TRUE(modal.errors[0].contains(QStringLiteral("2x")));
}

struct FreqCase {
    const char* typed;
    const char* shownWhileTyping;
    uint32_t stored;
};

class RangeEdits : public EditorTest, public ::testing::WithParamInterface<FreqCase> {};

TEST_P(RangeEdits, CommitMegahertzRoundedDownWithoutBandCheck)
{
    const FreqCase& c = GetParam();
    QLineEdit* e = edit("efreq_limit_McuLock_V_max");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->text(), QStringLiteral("146.00000"));

    retype(e, QString::fromLatin1(c.typed));
    EXPECT_EQ(e->text(), QString::fromLatin1(c.shownWhileTyping));
    leave(e);

    EXPECT_EQ(calibration().get(cal::freq_limit_McuLock_V_max), c.stored);
    EXPECT_EQ(e->text(), FreqToText(c.stored));
    // Its neighbour in the block is not touched.
    EXPECT_EQ(calibration().get(cal::freq_limit_McuLock_V_min), 144000000u);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeEdits,
                         ::testing::Values(FreqCase{"438.56789", "438.56789", 438567500},
                                           FreqCase{"4.3.8", "4.38", 4380000},
                                           FreqCase{"1a4b5", "145", 145000000},
                                           FreqCase{"50", "50", 50000000},
                                           FreqCase{"", "", 0},
                                           FreqCase{"145.1234567", "145.12345", 145123000}));

TEST_F(EditorTest, ALonePointIsCleared)
{
    QLineEdit* e = edit("efreq_limit_McuDef_U_min");
    retype(e, QStringLiteral("."));
    EXPECT_EQ(e->text(), QString());
}

TEST_F(EditorTest, SpeakerListsStoreTheirItem)
{
    QComboBox* delay = list("cbSpeakDelay");
    QComboBox* active = list("cbSpeakActive");
    ASSERT_EQ(delay->count(), 201);
    EXPECT_EQ(delay->itemText(200), QStringLiteral("1000"));
    ASSERT_EQ(active->count(), 2);
    EXPECT_EQ(active->itemText(0), QStringLiteral("低电平"));
    EXPECT_EQ(active->itemText(1), QStringLiteral("高电平"));

    delay->setCurrentIndex(7);
    leave(delay);
    EXPECT_EQ(calibration().get(cal::SpeakDelay), 35u);
    active->setCurrentIndex(1);
    leave(active);
    EXPECT_EQ(calibration().get(cal::SpeakActive), 1u);
}

TEST_F(EditorTest, ASpeakDelayBetweenStepsKeepsItsValueUntilTheListIsLeft)
{
    QComboBox* delay = list("cbSpeakDelay");
    calibration().set(cal::SpeakDelay, 37);
    dialog->ShowCalibrationData();

    EXPECT_EQ(delay->currentIndex(), 7);
    EXPECT_EQ(delay->currentText(), QStringLiteral("35"));
    EXPECT_EQ(calibration().get(cal::SpeakDelay), 37u);
    leave(delay);
    EXPECT_EQ(calibration().get(cal::SpeakDelay), 35u);
}

TEST_F(EditorTest, ListValuesWithoutAnItemAreKeptWhenTheListIsLeft)
{
    QComboBox* delay = list("cbSpeakDelay");
    QComboBox* active = list("cbSpeakActive");
    calibration().set(cal::SpeakDelay, 2000);
    calibration().set(cal::SpeakActive, 2);
    dialog->ShowCalibrationData();

    EXPECT_EQ(delay->currentIndex(), -1);
    EXPECT_EQ(active->currentIndex(), -1);
    leave(delay);
    leave(active);
    EXPECT_EQ(calibration().get(cal::SpeakDelay), 2000u);
    EXPECT_EQ(calibration().get(cal::SpeakActive), 2u);
}

TEST_F(EditorTest, ShowsEveryFieldInItsControl)
{
    CalibrationData& data = calibration();
    data.set(cal::PinPian_W_Spe_2, 33);
    data.set(cal::Noise2_th, 4321);
    data.set(cal::freq_limit_McuDef_U_max, 0);
    RfChipStatus status;
    status.CurBatt = 123;
    status.CurVox = 45;
    data.setStatus(status);
    dialog->ShowCalibrationData();

    EXPECT_EQ(edit("ePinPian_W_Spe_2")->text(), QStringLiteral("33"));
    EXPECT_EQ(edit("eNoise2_th")->text(), QStringLiteral("4321"));
    EXPECT_EQ(edit("efreq_limit_McuDef_U_max")->text(), QStringLiteral("0"));
    EXPECT_EQ(edit("efreq_limit_McuDef_V_min")->text(), QStringLiteral("134.00000"));
    EXPECT_EQ(control<QLabel>("sCurBatt")->text(), QStringLiteral("123"));
    EXPECT_EQ(control<QLabel>("sCurVox")->text(), QStringLiteral("45"));
}

TEST_F(EditorTest, EveryControlIsThereWithItsCaption)
{
    EXPECT_EQ(dialog->size(), QSize(1095, 417));
    for (const char* name : {"ePinPian_W", "ePinPian_N", "ePinPian_W_Spe_1", "ePinPian_W_Spe_2", "eCtcPinPian_W",
                             "eDcsPinPian_W", "eMicGain", "ePga", "eMicGainFine", "eBatt_High", "eBatt_PowerOn",
                             "eSQL_L1", "eSQL_L4", "eSQL_L9", "eVOX_L1", "eVOX_L9", "eNoise_th", "eNoise_th_nar",
                             "eNoise2_th", "eRssi3_th", "efreq_limit_McuDef_U_min", "efreq_limit_McuDef_U_max",
                             "efreq_limit_McuLock_U_min", "efreq_limit_McuLock_U_max", "efreq_limit_McuDef_V_min",
                             "efreq_limit_McuDef_V_max", "efreq_limit_McuLock_V_min", "efreq_limit_McuLock_V_max"})
        edit(name);
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"bRead", "读取"}, {"bWrite", "写入"}, {"bAllWrite", "全写"}, {"bNew", "新建"},
                   {"bOpen", "打开"}, {"bSave", "保存"}, {"Read1846Status", "读取电压"},
                   {"bApcHigh_del", "-"}, {"bApcHigh_add", "+"}, {"bApcLow_del", "-"}, {"bApcLow_add", "+"},
                   {"bApcTune_del", "-"}, {"bApcTune_add", "+"}};
    for (const auto& b : buttons) {
        QPushButton* found = button(b.name);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->text(), QString::fromUtf8(b.caption)) << b.name;
    }
    EXPECT_EQ(edit("ePinPian_W")->toolTip(), QStringLiteral("[0-64]"));
    EXPECT_EQ(edit("eMicGainFine")->toolTip(), QStringLiteral("[0-15]"));
}

} // namespace
} // namespace lt::test
