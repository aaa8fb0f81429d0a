#include "codeplug/ToneTables.h"

#include <algorithm>

namespace lt {

namespace {

QString dcsText(uint16_t number, QChar suffix)
{
    return QStringLiteral("D%1%2").arg(number, 3, 8, QLatin1Char('0')).arg(suffix);
}

} // namespace

const QStringList& ToneList()
{
    static const QStringList list = [] {
        QStringList l;
        l.reserve(kToneListSize);
        l << QStringLiteral("Off");
        for (uint16_t tenths : kCtcssTones)
            l << QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
        for (uint16_t number : kDcsNumbers)
            l << dcsText(number, QLatin1Char('N'));
        for (uint16_t number : kDcsNumbers)
            l << dcsText(number, QLatin1Char('I'));
        return l;
    }();
    return list;
}

Tone ToneListEntry(int index)
{
    constexpr int ctcss = static_cast<int>(kCtcssTones.size());
    constexpr int dcs = static_cast<int>(kDcsNumbers.size());
    if (index <= 0 || index >= kToneListSize)
        return {kToneCodeNone, kToneNone};
    if (index <= ctcss)
        return {kCtcssTones[index - 1], kToneCtcss};
    index -= ctcss + 1;
    if (index < dcs)
        return {static_cast<uint16_t>(kDcsCodeBase + kDcsNumbers[index]), kToneDcsNormal};
    return {static_cast<uint16_t>(kDcsCodeBase + kDcsNumbers[index - dcs]), kToneDcsInverted};
}

const QStringList& StepListTexts()
{
    static const QStringList list = {
        QStringLiteral("2.5K"), QStringLiteral("5K"), QStringLiteral("6.25K"),
        QStringLiteral("10K"), QStringLiteral("12.5K"), QStringLiteral("20K"),
        QStringLiteral("25K"), QStringLiteral("30K"), QStringLiteral("50K"),
    };
    return list;
}

int StepIndex(uint32_t hz)
{
    const auto it = std::ranges::find(kSteps, hz);
    return it == kSteps.end() ? -1 : static_cast<int>(it - kSteps.begin());
}

const QStringList& VoxDelayListTexts()
{
    static const QStringList list = [] {
        QStringList l;
        for (uint16_t ms : kVoxDelays)
            l << QString::asprintf("%1.1f", ms / 1000.0);
        return l;
    }();
    return list;
}

int VoxDelayIndex(uint32_t ms)
{
    const auto it = std::ranges::find(kVoxDelays, ms);
    return it == kVoxDelays.end() ? -1 : static_cast<int>(it - kVoxDelays.begin());
}

} // namespace lt
