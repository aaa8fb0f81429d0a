#include "printout/CodeplugPrintout.h"

#include "codeplug/CodeplugModel.h"
#include "editor/FunctionSettings.h"
#include "editor/VfoPanel.h"
#include "ui/AppLang.h"
#include "ui/AddedTexts.h"

namespace lt {

QString PrintoutTitle(const CodeplugSource& source)
{
    if (!source.fileName.isEmpty())
        return source.fileName;
    if (source.readAt.isValid())
        return AddedText(Added::ReadFromRadioAt).arg(source.readAt.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    return AddedText(Added::NewCodeplug);
}

Printout BuildPrintout(const CodeplugModel& model, const QString& title)
{
    Printout printout;
    printout.title = title;
    printout.bandLimits = BandLabelText(model.bands);
    printout.pageNumber = AddedText(Added::PageOf);
    printout.langType = AppLang().langType();

    // The grid's own texts, from a copy: the grid model edits what it is given.
    CodeplugModel copy = model;
    ChannelGridModel grid(copy, nullptr);
    grid.setTexts(ChannelGridTexts::current());
    printout.headers = grid.texts().headers;
    for (int channel = 1; channel < kGridRows; ++channel) {
        if (!model.IsChannelUsed(channel))
            continue;
        std::array<QString, kGridColumns> row;
        for (int column = 0; column < kGridColumns; ++column)
            row[column] = grid.cellText(column, channel);
        printout.channels.push_back(row);
    }

    const QString vfo = AddedText(Added::VfoSide);
    printout.sections = {
        {vfo.arg(QLatin1Char('A')), VfoPanel::shownSettings(model, VfoPanel::Side::A)},
        {vfo.arg(QLatin1Char('B')), VfoPanel::shownSettings(model, VfoPanel::Side::B)},
        {MainText(35), FunctionSettings::shownSettings(model)},
    };
    return printout;
}

} // namespace lt
