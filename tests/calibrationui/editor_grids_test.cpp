#include "editor_fixture.h"

#include "support/ModalScript.h"

#include <QFontMetricsF>
#include <QStyle>

namespace lt::test {
namespace {

class GridTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        apc = grid("sgAPC");
        sq = grid("sgSQ");
        ASSERT_NE(apc, nullptr);
        ASSERT_NE(sq, nullptr);
    }

    void setApc(int i, uint32_t freq, uint8_t high, uint8_t low = 0, uint8_t tune = 0, uint8_t rfOut = 0)
    {
        ApcPoint p = calibration().apc(i);
        p.Freq = freq;
        p.HighPower = high;
        p.LowPower = low;
        p.RxTune = tune;
        p.RfOut = rfOut;
        calibration().setApc(i, p);
    }

    QTableWidget* apc = nullptr;
    QTableWidget* sq = nullptr;
};

TEST_F(GridTest, GridsHaveTheirHeadersRowsAndHiddenEditors)
{
    const QStringList apcHeaders = {"序号", "频率", "高功率", "低功率", "接收调谐", "芯片Rfout"};
    const QStringList sqHeaders = {"序号", "频点以下", "SQ", "噪声", "窄带SQ", "窄带噪声"};
    ASSERT_EQ(apc->rowCount(), 20);
    ASSERT_EQ(sq->rowCount(), 19);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(apc->item(0, c)->text(), apcHeaders[c]);
        EXPECT_EQ(sq->item(0, c)->text(), sqHeaders[c]);
    }
    EXPECT_EQ(apc->item(19, 0)->text(), QStringLiteral("19"));
    EXPECT_EQ(sq->item(18, 0)->text(), QStringLiteral("18"));
    EXPECT_EQ(apc->rowHeight(5), 20);
    EXPECT_EQ(apc->item(1, 1)->text(), QStringLiteral("0"));

    const struct {
        const char* name;
        int count;
        const char* first;
        const char* last;
    } lists[] = {{"cbApcValue", 256, "0", "255"}, {"cbRfOutVal", 8, "0", "7"},
                 {"cbSqValue", 31, "-20", "10"}, {"cbSqNoise", 201, "-100", "100"}};
    for (const auto& l : lists) {
        QComboBox* box = list(l.name);
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isVisible()) << l.name;
        ASSERT_EQ(box->count(), l.count) << l.name;
        EXPECT_EQ(box->itemText(0), QString::fromLatin1(l.first));
        EXPECT_EQ(box->itemText(l.count - 1), QString::fromLatin1(l.last));
    }
    EXPECT_FALSE(edit("eApcFreq")->isVisible());
    EXPECT_FALSE(edit("eSqFreq")->isVisible());
}

// Every header and every value a column can hold shows whole, and no column
// hides behind the grid's edge: the columns that need more room than their
// designed widths (30, 70, 55, 50, 60, 60 and 30, 70, 40, 50, 50, 70) take it
// from those with room to spare.
TEST_F(GridTest, EveryHeaderAndValueShowsWholeWithinTheGrid)
{
    const struct {
        QTableWidget* grid;
        QStringList widest; // the widest value of each column after its header
    } grids[] = {
        {apc, {"19", "888.88888", "255", "255", "255", "7"}},
        {sq, {"18", "888.88888", "-20", "-100", "-20", "-100"}},
    };
    for (const auto& g : grids) {
        SCOPED_TRACE(g.grid->objectName().toStdString());
        const QFontMetricsF metrics(g.grid->font());
        // The text of a cell is drawn inside a margin on either side; the grid
        // line takes a pixel.
        const int margin = 2 * (g.grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g.grid) + 1) + 1;
        int total = 0;
        for (int c = 0; c < 6; ++c) {
            for (const QString& text : {g.grid->item(0, c)->text(), g.widest[c]})
                EXPECT_LE(metrics.horizontalAdvance(text) + margin, g.grid->columnWidth(c)) << text.toStdString();
            total += g.grid->columnWidth(c);
        }
        EXPECT_LE(total, g.grid->viewport()->width());
    }
}

TEST_F(GridTest, TheFrequencyEditorStoresRoundedHertz)
{
    QLineEdit* freq = edit("eApcFreq");
    doubleClick(apc, 3, 1);
    ASSERT_TRUE(freq->isVisible());
    EXPECT_EQ(freq->text(), QStringLiteral("0"));
    EXPECT_EQ(freq->geometry(), apc->visualRect(apc->model()->index(3, 1)));

    retype(freq, QStringLiteral("438.56789"));
    leave(freq);

    EXPECT_EQ(calibration().apc(2).Freq, 438567500u);
    EXPECT_EQ(calibration().apc(1).Freq, 0u);
    EXPECT_EQ(apc->item(3, 1)->text(), QStringLiteral("438.56750"));
    EXPECT_FALSE(freq->isVisible());
}

TEST_F(GridTest, AnUnconvertibleFrequencyIsReportedAndKept)
{
    ModalScript modal;
    setApc(0, 145000000, 1);
    dialog->ShowCalibrationData();
    QLineEdit* freq = edit("eApcFreq");
    doubleClick(apc, 1, 1);
    retype(freq, QStringLiteral("438."));
    leave(freq);

    EXPECT_EQ(calibration().apc(0).Freq, 145000000u);
    EXPECT_EQ(apc->item(1, 1)->text(), QStringLiteral("145.00000"));
    EXPECT_EQ(modal.errors.size(), 1);
    EXPECT_FALSE(freq->isVisible());
}

TEST_F(GridTest, ValueListsStoreTheChosenItemInTheirColumn)
{
    setApc(1, 145000000, 9, 8, 7, 3);
    dialog->ShowCalibrationData();
    QComboBox* values = list("cbApcValue");

    doubleClick(apc, 2, 3);
    ASSERT_TRUE(values->isVisible());
    EXPECT_EQ(values->currentText(), QStringLiteral("8"));
    values->setCurrentIndex(200);
    leave(values);

    const ApcPoint p = calibration().apc(1);
    EXPECT_EQ(p.LowPower, 200);
    EXPECT_EQ(p.HighPower, 9);
    EXPECT_EQ(p.RxTune, 7);
    EXPECT_EQ(apc->item(2, 3)->text(), QStringLiteral("200"));
    EXPECT_FALSE(values->isVisible());

    QComboBox* rfOut = list("cbRfOutVal");
    doubleClick(apc, 2, 5);
    ASSERT_TRUE(rfOut->isVisible());
    EXPECT_EQ(rfOut->currentText(), QStringLiteral("3"));
    rfOut->setCurrentIndex(6);
    leave(rfOut);
    EXPECT_EQ(calibration().apc(1).RfOut, 6);
}

TEST_F(GridTest, ADigitOrEnterOnAValueCellOpensItsList)
{
    QComboBox* values = list("cbApcValue");
    QComboBox* rfOut = list("cbRfOutVal");
    apc->setCurrentCell(4, 4);
    QTest::keyClick(apc, Qt::Key_7);
    EXPECT_TRUE(values->isVisible());
    leave(values);
    EXPECT_FALSE(values->isVisible());
    EXPECT_EQ(calibration().apc(3).RxTune, 0); // the typed key itself is not used

    apc->setCurrentCell(4, 5);
    QTest::keyClick(apc, Qt::Key_Return);
    EXPECT_TRUE(rfOut->isVisible());
    leave(rfOut);

    apc->setCurrentCell(4, 1);
    QTest::keyClick(apc, Qt::Key_7);
    EXPECT_FALSE(edit("eApcFreq")->isVisible());

    sq->setCurrentCell(2, 2);
    QTest::keyClick(sq, Qt::Key_7);
    EXPECT_FALSE(list("cbSqValue")->isVisible());
}

TEST_F(GridTest, AValueWithoutAnItemOpensWithNoneSelectedAndIsKept)
{
    setApc(0, 145000000, 1, 1, 1, 9);
    SqPoint s;
    s.SqValue = -30;
    calibration().setSq(0, s);
    dialog->ShowCalibrationData();

    QComboBox* rfOut = list("cbRfOutVal");
    doubleClick(apc, 1, 5);
    EXPECT_EQ(rfOut->currentIndex(), -1);
    leave(rfOut);
    EXPECT_EQ(calibration().apc(0).RfOut, 9);
    EXPECT_EQ(apc->item(1, 5)->text(), QStringLiteral("9"));

    QComboBox* sqValues = list("cbSqValue");
    doubleClick(sq, 1, 2);
    EXPECT_EQ(sqValues->currentIndex(), -1);
    leave(sqValues);
    EXPECT_EQ(calibration().sq(0).SqValue, -30);
}

TEST_F(GridTest, SquelchListsStoreSignedValuesInTheirOwnColumn)
{
    SqPoint before;
    before.SqValue = 3;
    before.SqNoise = -4;
    before.SqValueNar = 5;
    before.SqNoiseNar = -6;
    calibration().setSq(0, before);
    calibration().setSq(1, before);
    dialog->ShowCalibrationData();
    EXPECT_EQ(sq->item(1, 3)->text(), QStringLiteral("-4"));

    QComboBox* values = list("cbSqValue");
    doubleClick(sq, 1, 4);
    EXPECT_EQ(values->currentText(), QStringLiteral("5"));
    values->setCurrentIndex(values->findText(QStringLiteral("-20")));
    leave(values);

    QComboBox* noise = list("cbSqNoise");
    doubleClick(sq, 1, 3);
    EXPECT_EQ(noise->currentText(), QStringLiteral("-4"));
    noise->setCurrentIndex(noise->findText(QStringLiteral("100")));
    leave(noise);

    SqPoint expected = before;
    expected.SqValueNar = -20;
    expected.SqNoise = 100;
    EXPECT_EQ(calibration().sq(0), expected);
    EXPECT_EQ(calibration().sq(1), before);
    EXPECT_EQ(sq->item(1, 4)->text(), QStringLiteral("-20"));

    QLineEdit* freq = edit("eSqFreq");
    doubleClick(sq, 2, 1);
    retype(freq, QStringLiteral("136.0026"));
    leave(freq);
    EXPECT_EQ(calibration().sq(1).Freq, 136002500u);
    EXPECT_EQ(sq->item(2, 1)->text(), QStringLiteral("136.00250"));
}

TEST_F(GridTest, BatchButtonsSkipUnusedRowsAndValuesAtTheirLimit)
{
    setApc(0, 0, 5, 5, 5);
    setApc(1, 438000000, 255, 0, 100);
    setApc(2, 145000000, 10, 0, 255);
    dialog->ShowCalibrationData();

    button("bApcHigh_add")->click();
    EXPECT_EQ(calibration().apc(0).HighPower, 5);
    EXPECT_EQ(calibration().apc(1).HighPower, 255);
    EXPECT_EQ(calibration().apc(2).HighPower, 11);
    EXPECT_EQ(apc->item(3, 2)->text(), QStringLiteral("11"));

    button("bApcLow_del")->click();
    EXPECT_EQ(calibration().apc(0).LowPower, 5);
    EXPECT_EQ(calibration().apc(1).LowPower, 0);

    button("bApcTune_add")->click();
    button("bApcTune_del")->click();
    button("bApcTune_del")->click();
    EXPECT_EQ(calibration().apc(0).RxTune, 5);
    EXPECT_EQ(calibration().apc(1).RxTune, 99);
    EXPECT_EQ(calibration().apc(2).RxTune, 253);
    EXPECT_EQ(apc->item(3, 4)->text(), QStringLiteral("253"));

    button("bApcHigh_del")->click();
    button("bApcLow_add")->click();
    EXPECT_EQ(calibration().apc(1).HighPower, 254);
    EXPECT_EQ(calibration().apc(2).LowPower, 1);
}

} // namespace
} // namespace lt::test
