#pragma once

#include <QString>
#include <QStringList>

namespace lt {

// One control of the options page and what it shows for a codeplug: the
// control's name, its caption and its text (a list's item, an edit's text,
// "ON"/"OFF" for a check box), so the settings can be shown away from the page.
struct ShownSetting {
    QString control; // objectName: "cbSQL", "eFr_Freq_A", "cBeep"
    QString label;
    QString value;
};

// The item a list box shows for an item index; a stored value that no item
// stands for shows nothing, as the box on the page does.
inline QString ShownItem(const QStringList& items, int index)
{
    return index >= 0 && index < items.size() ? items[index] : QString();
}

} // namespace lt
