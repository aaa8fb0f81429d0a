#include "editor/OptionsPage.h"

#include "editor/FunctionSettings.h"
#include "editor/VfoPanel.h"
#include "program/Program.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace lt {

OptionsPage::OptionsPage(Program& program, QWidget* parent)
    : QWidget(parent)
    , program_(program)
    , GroupBox11(new VfoPanel(program, VfoPanel::Side::A, this))
    , GroupBox12(new VfoPanel(program, VfoPanel::Side::B, this))
    , settings_(new FunctionSettings(program, this))
{
    setObjectName(QStringLiteral("TabSheet_Option"));

    auto* panels = new QHBoxLayout;
    panels->addWidget(GroupBox11);
    panels->addWidget(GroupBox12);
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addLayout(panels);
    left->addWidget(settings_->switchesGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(settings_->generalGroup());
    right->addWidget(settings_->voxGroup());
    right->addStretch(1);
    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(6, 4, 6, 4);
    page->addLayout(left);
    page->addLayout(right);
    page->addStretch(1);

    connect(settings_->workModeLockBox(), &QCheckBox::toggled, this, &OptionsPage::cWorkModeLockClick);
    // The page takes the focus into its first control, VFO A's frequency.
    setFocusProxy(GroupBox11->firstControl());
}

void OptionsPage::refresh()
{
    GroupBox11->retranslate();
    GroupBox12->retranslate();
    settings_->retranslate();
    GroupBox11->showValues();
    GroupBox12->showValues();
    settings_->showValues();
    cWorkModeLockClick();
}

void OptionsPage::cWorkModeLockClick()
{
    CodeplugModel& model = program_.model;
    QCheckBox* box = settings_->workModeLockBox();
    if (!model.AnyChannelUsed()) {
        model.set(cp::WorkModeLock, 0);
        box->setChecked(false);
        GroupBox11->unlockMode();
        GroupBox12->unlockMode();
    } else if (box->isChecked()) {
        model.set(cp::WorkModeLock, 1);
        GroupBox11->lockToChannelMode();
        GroupBox12->lockToChannelMode();
    } else {
        model.set(cp::WorkModeLock, 0);
        GroupBox11->unlockMode();
        GroupBox12->unlockMode();
    }
}

} // namespace lt
