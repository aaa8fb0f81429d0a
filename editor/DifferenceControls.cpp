#include "editor/DifferenceControls.h"

#include "codeplug/CodeplugDiff.h"
#include "editor/ChannelGridModel.h"
#include "editor/VfoPanel.h"

#include <array>
#include <string_view>

namespace lt {

namespace {

struct Edited {
    std::string_view field;
    int column;           // of the channel grid
    const char* vfoControl; // of a frequency-mode side, without its side
};

// The record fields the grid and the frequency-mode panels edit.
constexpr std::array<Edited, 14> kRecordFields = {{
    {"RxFreq", kColRxFreq, "eFr_Freq"},
    {"TxFreq", kColTxFreq, "eFr_TxFreq"},
    {"RxToneCode", kColDecodeTone, "cbFr_SubaudioDe"},
    {"RxToneType", kColDecodeTone, "cbFr_SubaudioDe"},
    {"TxToneCode", kColEncodeTone, "cbFr_SubaudioEn"},
    {"TxToneType", kColEncodeTone, "cbFr_SubaudioEn"},
    {"ChInfor_Pow", kColPower, "cbFr_Power"},
    {"ChInfor_Bandwidth", kColBandwidth, "cbFr_Bandwidth"},
    {"ChInfor_SCN", kColScan, nullptr},
    {"ChInfor_BusyFit", kColBusyLock, "cbFr_BUS"},
    {"ChInfor_JiaMi", kColSpecialDcs, "cbFr_JiaMi"},
    {"ChInfor_Comp", kColCompander, "cbFr_Comp"},
    {"ChInfor_Scr", kColScrambler, "cbFr_Scr"},
    {"ChName", kColName, nullptr},
}};

constexpr Edited kOffsetDirection{"OffsetDir", kColRxFreq, "cbFr_OffsetDir"};

const Edited* editedField(const QString& name)
{
    const QByteArray latin = name.toLatin1();
    const std::string_view wanted(latin.constData(), static_cast<std::size_t>(latin.size()));
    for (const Edited& edited : kRecordFields) {
        if (edited.field == wanted)
            return &edited;
    }
    return wanted == kOffsetDirection.field ? &kOffsetDirection : nullptr;
}

} // namespace

int GridColumnOf(const DifferencePlace& place)
{
    const Edited* edited = editedField(place.name);
    return edited ? edited->column : kColRxFreq;
}

QStringList OptionsControlsOf(const DifferencePlace& place)
{
    if (place.channel > 0)
        return {};
    if (!place.vfo.isNull()) {
        const Edited* edited = editedField(place.name);
        if (!edited || !edited->vfoControl)
            return {};
        const QByteArray control(edited->vfoControl);
        return {VfoPanel::sideName(control.constData(), place.vfo == QLatin1Char('A') ? VfoPanel::Side::A : VfoPanel::Side::B)};
    }
    // A setting's control carries its name: "SQL" is cbSQL; the radio's
    // copy of the second power-on message's head is edited with the message.
    const QString name = place.name.section(QLatin1Char(' '), 0, 0);
    return {QStringLiteral("cb") + name, QStringLiteral("e") + name, QStringLiteral("c") + name};
}

} // namespace lt
