#pragma once

#include "codeplug/CodeplugLayout.h"

#include <QStringList>
#include <cstdint>
#include <span>

// The list boxes of the function settings: for each, the field it edits, its
// label, its items in the current language and how an item index maps to the
// stored value and back.
namespace lt {

// Index of the item a stored value shows, -1 for none.
using ItemOfValue = int (*)(uint32_t value);
// The value an item index stores (index within the list).
using ValueOfItem = uint32_t (*)(int index);

struct SettingList {
    const char* name;  // the field's name; the box is "cb" + name, its label "s" + name
    cp::Field field;
    int labelText;     // entry of the main window's text table
    QStringList (*items)();
    ItemOfValue itemOf;
    ValueOfItem valueOf;
};

// The general settings of GroupBox2, top to bottom.
std::span<const SettingList> GeneralSettingLists();
// The VOX settings of GroupBox1.
std::span<const SettingList> VoxSettingLists();

// Mappings with rules of their own, shared with the tests.
int TotItem(uint32_t seconds);            // seconds / 30
uint32_t TotValue(int item);              // 30 * item
int ApoItem(uint32_t minutes);            // 0, 10, 30, then 60 and up by the hour
uint32_t ApoValue(int item);
int BackLightItem(uint32_t seconds);      // 5, 10, 15, 20, 255
uint32_t BackLightValue(int item);

// The VOX delay a stored value not in the delay table is corrected to.
inline constexpr uint16_t kDefaultVoxDelay = 300;

} // namespace lt
