#include "editor/OptionsPage.h"

#include "app/Program.h"

namespace lt {

OptionsPage::OptionsPage(Program& program, QWidget* parent)
    : QWidget(parent)
    , program_(program)
{
    setObjectName(QStringLiteral("TabSheet_Option"));
}

void OptionsPage::refresh() {}

} // namespace lt
