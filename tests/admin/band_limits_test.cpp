#include "admin/BandLimitRules.h"
#include "admin/TBandSetDlg.h"
#include "app/MainWindow.h"
#include "codeplug/ConversionError.h"
#include "program/ConfigFile.h"
#include "program/Program.h"
#include "support/ModalScript.h"
#include "ui/AppLang.h"
#include "ui/ModalSeam.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace lt::test {
namespace {

TEST(BandLimitRules, TypedTextBecomesAClampedLimit)
{
    const struct {
        const char* text;
        uint32_t hz;
    } cases[] = {
        {"", 134000000},          {"100", 134000000},       {"600", 520000000},
        {"438.1234", 438123000},  {"134", 134000000},       {"520", 520000000},
        {"520.0005", 520000000},  {"145.5", 145500000},     {"999999999", 520000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BandTextToHz(QString::fromLatin1(c.text)), c.hz) << c.text;
    EXPECT_THROW(BandTextToHz(QStringLiteral("438.")), ConversionError);
    EXPECT_THROW(BandTextToHz(QStringLiteral("4x")), ConversionError);
}

TEST(BandLimitRules, WhichChangesApply)
{
    const BandLimits current;
    BandLimits working = current;
    EXPECT_EQ(ClassifyBandChange(working, current), BandChange::Unchanged);
    working.VBandMax = 175000000;
    EXPECT_EQ(ClassifyBandChange(working, current), BandChange::Changed);
    working.UBandMin = working.UBandMax;
    EXPECT_EQ(ClassifyBandChange(working, current), BandChange::Invalid);
    working = current;
    working.VBandMin = 450000000;
    EXPECT_EQ(ClassifyBandChange(working, current), BandChange::Invalid);
}

TEST(BandLimitRules, LargestOffsetsFollowTheSpans)
{
    Program program;
    ApplyBandLimits(program, BandLimits{134000000, 520000000, 400000000, 480000000});
    EXPECT_EQ(program.model.UOffsetMax, 99987500u);
    EXPECT_EQ(program.model.VOffsetMax, 80000000u);
    ApplyBandLimits(program, BandLimits{400000000, 499999999, 136000000, 236000000});
    EXPECT_EQ(program.model.UOffsetMax, 99999999u);
    EXPECT_EQ(program.model.VOffsetMax, 99987500u);
}

void Leave(QLineEdit* edit)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &out);
}

class BandSetDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        AppLang().SetInterfaceLanguage(0);
        program.settings.Language = 0;
        program.model.bands = BandLimits{400000000, 470000000, 136000000, 174000000};
        program.model.updateOffsetMax();
        window = std::make_unique<TForm1>(program, configPath());
        window->FullRefresh();
        dialog = std::make_unique<TBandSetDlg>(*window);
    }
    void TearDown() override { AppLang().fSetDetectType(); }

    QString configPath() const { return dir.filePath(QStringLiteral("_config.ini")); }
    QLineEdit* edit(const char* name) { return dialog->findChild<QLineEdit*>(QString::fromLatin1(name)); }

    void type(const char* name, const char* text)
    {
        QLineEdit* e = edit(name);
        e->clear();
        QTest::keyClicks(e, QString::fromLatin1(text));
    }

    // Puts the program's values away from their defaults, so a reset shows.
    void touchProgram()
    {
        program.model.set(cp::SQL, 9);
        program.model.SetChannelUsed(7, true);
        program.calibration.set(cal::DtmfFuDu_W, 0x5A);
    }

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<TForm1> window;
    std::unique_ptr<TBandSetDlg> dialog;
};

TEST_F(BandSetDialog, ShowsTheCurrentLimits)
{
    EXPECT_EQ(edit("eBand_U_MIN")->text(), "400.00000");
    EXPECT_EQ(edit("eBand_U_MAX")->text(), "470.00000");
    EXPECT_EQ(edit("eBand_V_MIN")->text(), "136.00000");
    EXPECT_EQ(edit("eBand_V_MAX")->text(), "174.00000");
    EXPECT_EQ(dialog->windowTitle(), QString());
    EXPECT_EQ(dialog->size(), QSize(242, 274));
    EXPECT_EQ(dialog->findChild<QPushButton*>("OKBtn")->text(), "OK");
}

TEST_F(BandSetDialog, LeavingAnEditClampsAndShowsTheValue)
{
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"100", "134.00000"}, {"600", "520.00000"}, {"438.1234", "438.12300"}, {"", "134.00000"},
                 {"4a3-8", "438.00000"}};
    for (const auto& c : cases) {
        type("eBand_U_MIN", c.typed);
        Leave(edit("eBand_U_MIN"));
        EXPECT_EQ(edit("eBand_U_MIN")->text(), QString::fromLatin1(c.shown)) << c.typed;
    }
    EXPECT_EQ(dialog->workingLimits().UBandMin, 438000000u);
    // Nothing is applied before OK.
    EXPECT_EQ(program.model.bands.UBandMin, 400000000u);
}

TEST_F(BandSetDialog, TextThatIsNoNumberIsReportedAndNotStored)
{
    ModalScript script;
    edit("eBand_V_MAX")->setText("17a");
    Leave(edit("eBand_V_MAX"));
    type("eBand_V_MIN", "150.");
    Leave(edit("eBand_V_MIN"));
    EXPECT_EQ(script.errors.size(), 2);
    EXPECT_EQ(dialog->workingLimits(), program.model.bands);
}

TEST_F(BandSetDialog, InvalidOrUnchangedLimitsApplyNothing)
{
    ModalScript script;
    touchProgram();
    const BandLimits before = program.model.bands;
    for (const auto& [min, max] : {std::pair{"450", "440"}, std::pair{"440", "440"}, std::pair{"400", "470"}}) {
        TBandSetDlg bands(*window);
        bands.findChild<QLineEdit*>("eBand_U_MIN")->setText(QString::fromLatin1(min));
        bands.findChild<QLineEdit*>("eBand_U_MAX")->setText(QString::fromLatin1(max));
        QTest::mouseClick(bands.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
        EXPECT_EQ(bands.result(), mrOK) << min << " " << max;
    }
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(program.model.bands, before);
    EXPECT_EQ(program.model.get(cp::SQL), 9u);
    EXPECT_FALSE(QFile::exists(configPath()));
}

TEST_F(BandSetDialog, CancelledConfirmationChangesNothing)
{
    ModalScript script;
    script.answer(mrCancel);
    touchProgram();
    type("eBand_V_MAX", "175");
    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);

    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].dialog, "TMyWarnDlg_2");
    EXPECT_EQ(dialog->result(), mrOK);
    EXPECT_EQ(program.model.bands.VBandMax, 174000000u);
    EXPECT_EQ(program.model.get(cp::SQL), 9u);
    EXPECT_FALSE(QFile::exists(configPath()));
}

TEST_F(BandSetDialog, ChangedLimitResetsTheProgramAndIsSavedAtOnce)
{
    ModalScript script;
    script.answer(mrOK);
    touchProgram();
    // Typed and not yet left: pressing OK takes it.
    type("eBand_V_MAX", "175.1");
    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);

    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].message, MainText(155));
    EXPECT_EQ(dialog->result(), mrOK);
    EXPECT_EQ(program.model.bands, (BandLimits{400000000, 470000000, 136000000, 175100000}));
    EXPECT_EQ(program.model.VOffsetMax, 39100000u);
    EXPECT_EQ(program.model.UOffsetMax, 70000000u);
    EXPECT_EQ(program.model.get(cp::SQL), 5u);
    EXPECT_FALSE(program.model.IsChannelUsed(7));
    EXPECT_EQ(program.calibration, CalibrationData());

    ProgramSettings settings;
    BandLimits saved;
    ASSERT_TRUE(ReadConfigFile(configPath(), settings, saved));
    EXPECT_EQ(saved, program.model.bands);
}

TEST_F(BandSetDialog, ReturnDoesNotPressOk)
{
    ModalScript script;
    script.answer(mrOK);
    dialog->show();
    type("eBand_V_MAX", "175");
    QTest::keyClick(edit("eBand_V_MAX"), Qt::Key_Return);
    EXPECT_TRUE(script.shown.empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(program.model.bands.VBandMax, 174000000u);
}

TEST_F(BandSetDialog, NewLimitsMoveTheDefaultFrequencyModeSides)
{
    ModalScript script;
    script.answer(mrOK);
    type("eBand_U_MIN", "420");
    type("eBand_V_MIN", "140");
    QTest::mouseClick(dialog->OKBtn, Qt::LeftButton);
    EXPECT_EQ(program.model.vfoA().RxFreq(), 420025000u);
    EXPECT_EQ(program.model.vfoB().RxFreq(), 140025000u);
}

TEST_F(BandSetDialog, UnwritableConfigurationIsReported)
{
    ModalScript script;
    script.answer(mrOK);
    window = std::make_unique<TForm1>(program, dir.filePath(QStringLiteral("no/such/folder/_config.ini")));
    TBandSetDlg bands(*window);
    bands.findChild<QLineEdit*>("eBand_V_MAX")->setText("175");
    QTest::mouseClick(bands.OKBtn, Qt::LeftButton);
    EXPECT_EQ(program.model.bands.VBandMax, 175000000u);
    EXPECT_EQ(script.errors.size(), 1);
}

} // namespace
} // namespace lt::test
