#include "editor/ChannelPage.h"

#include "app/Program.h"

namespace lt {

ChannelPage::ChannelPage(Program& program, QWidget* parent)
    : QWidget(parent)
    , program_(program)
{
    setObjectName(QStringLiteral("TabSheet_ChInfo"));
}

void ChannelPage::applyGridSizes(const ProgramSettings&) {}

void ChannelPage::storeGridSizes(ProgramSettings&) const {}

void ChannelPage::refreshBandLabel() {}

void ChannelPage::refreshGrid() {}

void ChannelPage::setCurrentCell(int, int) {}

void ChannelPage::focusGrid() {}

} // namespace lt
