#include "editor/DifferenceControls.h"
#include "editor/FunctionSettings.h"
#include "editor/VfoPanel.h"
#include "codeplug/CodeplugDiff.h"
#include "emulator/SampleCodeplug.h"
#include "options_page_fixture.h"

#include <QCheckBox>
#include <QLabel>

namespace lt::test {
namespace {

// What the page's control shows, read off the widget.
QString Shown(QWidget* control)
{
    if (auto* box = qobject_cast<QComboBox*>(control))
        return box->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return MainText(check->isChecked() ? 201 : 202);
    return QStringLiteral("<not a control>");
}

// The caption next to a control: its label, or a check box's own text.
QString Caption(QWidget* page, QWidget* control)
{
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return check->text();
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->buddy() == control)
            return label->text();
    }
    return QStringLiteral("<no label>");
}

class ShownSettings : public OptionsPageTest {
protected:
    // Every setting the printout lists against the page's own controls.
    void expectTheSameAsThePage()
    {
        std::vector<ShownSetting> shown = VfoPanel::shownSettings(model(), VfoPanel::Side::A);
        for (const ShownSetting& setting : VfoPanel::shownSettings(model(), VfoPanel::Side::B))
            shown.push_back(setting);
        for (const ShownSetting& setting : FunctionSettings::shownSettings(model()))
            shown.push_back(setting);
        for (const ShownSetting& setting : shown) {
            QWidget* widget = control(setting.control);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(setting.value, Shown(widget)) << setting.control.toStdString();
            EXPECT_EQ(setting.label, Caption(page, widget)) << setting.control.toStdString();
        }
        EXPECT_EQ(shown.size(), 2 * 14 + 14 + 3 + 2 + 6u);
    }
};

TEST_F(ShownSettings, AreWhatThePageShowsInEveryLanguage)
{
    FillSampleCodeplug(model());
    model().set(cp::APO, 120);
    model().set(cp::BackLight, 255);
    model().set(cp::VOX_DELAY, 700);
    model().set(cp::Step_B, 6250);
    model().vfoA().setChInfor_Scr(12);
    for (int type : {1, 2, 3}) {
        SCOPED_TRACE(type);
        AppLang().fSetLangType(type);
        page->refresh();
        expectTheSameAsThePage();
    }
}

TEST_F(ShownSettings, EveryDifferenceOfASettingOrSideHasAControlOnThePage)
{
    CodeplugModel a;
    FillSampleCodeplug(a);
    CodeplugModel b = a;
    for (const cp::Field& field : {cp::SQL, cp::TOT, cp::VOX, cp::Fr_Offset_A, cp::Step_B, cp::MODE_A, cp::Beep, cp::MEM})
        b.set(field, b.get(field) + 1);
    b.setText(cp::PowerOnMsg2, "SECOND MESSAGE");
    b.vfoA().setRxFreq(a.vfoA().RxFreq() + 12500);
    b.vfoB().setTxTone(885, 1);
    b.vfoB().setOffsetDir(2);
    const std::vector<FieldDifference> differences = CompareCodeplugs(a, b);
    ASSERT_GE(differences.size(), 13u);
    for (const FieldDifference& difference : differences) {
        const DifferencePlace place = PlaceOf(difference);
        bool found = false;
        for (const QString& name : OptionsControlsOf(place))
            found = found || page->findChild<QWidget*>(name) != nullptr;
        EXPECT_TRUE(found) << difference.field.toStdString();
    }
}

TEST(DifferenceColumns, AChannelFieldGoesToItsGridColumn)
{
    const struct {
        const char* name;
        int column;
    } cases[] = {{"RxFreq", 1}, {"TxFreq", 2}, {"RxToneType", 3}, {"TxToneCode", 4}, {"ChInfor_Pow", 5},
                 {"ChInfor_SCN", 7}, {"ChInfor_Scr", 11}, {"ChName", 12}, {"ChannelUsedMap", 1}, {"Ch_SquelchMode", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(GridColumnOf({3, QChar(), QString::fromLatin1(c.name)}), c.column) << c.name;
}

} // namespace
} // namespace lt::test
