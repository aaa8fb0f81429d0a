#include "editor/FunctionSettingLists.h"

#include "codeplug/ToneTables.h"
#include "ui/AppLang.h"

#include <array>

namespace lt {

namespace {

int sameItem(uint32_t value) { return value <= 0x7FFFFFFFu ? static_cast<int>(value) : -1; }
uint32_t sameValue(int item) { return static_cast<uint32_t>(item); }
int memItem(uint32_t channel) { return channel >= 1 ? sameItem(channel - 1) : -1; }
uint32_t memValue(int item) { return static_cast<uint32_t>(item) + 1; }
int voxDelayItem(uint32_t ms) { return VoxDelayIndex(ms); }
uint32_t voxDelayValue(int item) { return kVoxDelays.at(static_cast<std::size_t>(item)); }

QStringList numbers(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

QStringList texts(std::initializer_list<int> entries)
{
    QStringList list;
    for (int n : entries)
        list << MainText(n);
    return list;
}

QStringList offThen(int first, int last) { return QStringList{MainText(75)} + numbers(first, last); }

QStringList sqlItems() { return numbers(0, 9); }

QStringList totItems()
{
    QStringList list{MainText(75)};
    for (int s = 30; s <= 270; s += 30)
        list << QString::number(s);
    return list;
}

QStringList toaItems() { return offThen(1, 10); }
QStringList scanItems() { return texts({113, 112, 114}); }
QStringList priScanItems() { return offThen(1, cp::kChannelCount); }
QStringList keyLockItems() { return texts({118, 119}); }

QStringList backLightItems()
{
    QStringList list;
    for (int s : {5, 10, 15, 20})
        list << QString::number(s) + MainText(243);
    return list << MainText(105);
}

QStringList doubleWatchItems() { return texts({104, 105, 106}); }

QStringList apoItems()
{
    QStringList list = texts({75, 120, 121});
    for (int h = 1; h <= 12; ++h)
        list << QString::number(h) + MainText(265);
    return list;
}

QStringList languageItems() { return texts({276, 277}); }
QStringList rogItems() { return offThen(1, 3); }
QStringList memItems() { return numbers(1, cp::kChannelCount); }
QStringList micSwItems() { return texts({307, 308}); }
QStringList micDenoiseItems() { return texts({75, 201}); }
QStringList voxItems() { return offThen(1, 9); }
QStringList voxDelayItems() { return VoxDelayListTexts(); }

constexpr std::array<uint32_t, 5> kBackLightSeconds = {5, 10, 15, 20, 255};

const std::array<SettingList, 14> kGeneral = {{
    {"SQL", cp::SQL, 44, sqlItems, sameItem, sameValue},
    {"TOT", cp::TOT, 48, totItems, TotItem, TotValue},
    {"TOA", cp::TOA, 49, toaItems, sameItem, sameValue},
    {"SCAN", cp::SCAN, 54, scanItems, sameItem, sameValue},
    {"PriScan", cp::PriScan, 55, priScanItems, sameItem, sameValue},
    {"KeyLock", cp::KeyLock, 60, keyLockItems, sameItem, sameValue},
    {"BackLight", cp::BackLight, 59, backLightItems, BackLightItem, BackLightValue},
    {"DoubleWatch", cp::DoubleWatch, 50, doubleWatchItems, sameItem, sameValue},
    {"APO", cp::APO, 63, apoItems, ApoItem, ApoValue},
    {"Language", cp::Language, 278, languageItems, sameItem, sameValue},
    {"ROG", cp::ROG, 62, rogItems, sameItem, sameValue},
    {"MEM", cp::MEM, 300, memItems, memItem, memValue},
    {"Mic_SW", cp::Mic_SW, 305, micSwItems, sameItem, sameValue},
    {"Mic_Denoise", cp::Mic_Denoise, 306, micDenoiseItems, sameItem, sameValue},
}};

const std::array<SettingList, 2> kVox = {{
    {"VOX", cp::VOX, 46, voxItems, sameItem, sameValue},
    {"VOX_DELAY", cp::VOX_DELAY, 47, voxDelayItems, voxDelayItem, voxDelayValue},
}};

} // namespace

std::span<const SettingList> GeneralSettingLists() { return kGeneral; }
std::span<const SettingList> VoxSettingLists() { return kVox; }

int TotItem(uint32_t seconds) { return sameItem(seconds / 30); }
uint32_t TotValue(int item) { return 30u * static_cast<uint32_t>(item); }

int ApoItem(uint32_t minutes)
{
    switch (minutes) {
    case 0: return 0;
    case 10: return 1;
    case 30: return 2;
    default: return minutes >= 60 ? sameItem(minutes / 60 + 2) : -1;
    }
}

uint32_t ApoValue(int item)
{
    switch (item) {
    case 0: return 0;
    case 1: return 10;
    case 2: return 30;
    default: return 60u * static_cast<uint32_t>(item) - 120u;
    }
}

int BackLightItem(uint32_t seconds)
{
    for (std::size_t i = 0; i < kBackLightSeconds.size(); ++i) {
        if (kBackLightSeconds[i] == seconds)
            return static_cast<int>(i);
    }
    return -1;
}

uint32_t BackLightValue(int item) { return kBackLightSeconds.at(static_cast<std::size_t>(item)); }

} // namespace lt
