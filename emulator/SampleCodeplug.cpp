#include "emulator/SampleCodeplug.h"

#include "codeplug/CodeplugModel.h"
#include "codeplug/RadioImagePacking.h"
#include "codeplug/ToneTables.h"

#include <QByteArray>
#include <QStringEncoder>

namespace lt {

namespace {

constexpr uint32_t kVhfBase = 144000000;
constexpr uint32_t kVhfStep = 12500;
constexpr uint32_t kUhfBase = 430000000;
constexpr uint32_t kUhfStep = 25000;
constexpr uint32_t kVhfShift = 600000;
constexpr uint32_t kUhfShift = 5000000;

Tone ctcss(int n)
{
    return Tone{kCtcssTones[static_cast<std::size_t>(n) % kCtcssTones.size()], kToneCtcss};
}

Tone dcs(int n, uint8_t type)
{
    return Tone{kDcsCodeTable[static_cast<std::size_t>(n) % kDcsNumbers.size()], type};
}

} // namespace

void FillSampleCodeplug(CodeplugModel& model)
{
    model.SetCodeplugDefaults();
    QStringEncoder toGbk("GBK");
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        const bool vhf = n % 2 == 1;
        const uint32_t rx = vhf ? kVhfBase + static_cast<uint32_t>(n) * kVhfStep : kUhfBase + static_cast<uint32_t>(n) * kUhfStep;
        const uint32_t shift = vhf ? kVhfShift : kUhfShift;
        model.channel(n).setRxFreq(rx);
        model.StringGridAutoFullRow(n);
        ChannelRecord ch = model.channel(n);
        switch (n % 6) {
        case 1: ch.setTxFreq(rx + shift); break;
        case 2: ch.setTxFreq(rx - shift); break;
        case 3: ch.setTxFreq(vhf ? kUhfBase + static_cast<uint32_t>(n) * kUhfStep : kVhfBase + static_cast<uint32_t>(n) * kVhfStep); break;
        case 4: ch.setTxFreq(0); break;
        default: break;
        }
        const Tone none{0, kToneNone};
        Tone rxTone = none;
        Tone txTone = none;
        switch (n % 7) {
        case 1: txTone = ctcss(n); break;
        case 2: rxTone = txTone = ctcss(n); break;
        case 3: rxTone = txTone = dcs(n, kToneDcsNormal); break;
        case 4: txTone = dcs(n, kToneDcsNormal); rxTone = dcs(n, kToneDcsInverted); break;
        case 5: txTone = ctcss(n); rxTone = dcs(n, kToneDcsNormal); break;
        case 6: txTone = dcs(n, kToneDcsInverted); rxTone = ctcss(n + 1); break;
        default: break;
        }
        ch.setRxTone(rxTone.code, rxTone.type);
        ch.setTxTone(txTone.code, txTone.type);
        ch.setChInfor_Bandwidth(n % 3 == 0 ? 0 : 1);
        ch.setChInfor_Pow(n % 4 == 0 ? 0 : 1);
        ch.setChInfor_SCN(n % 5 == 0 ? 0 : 1);
        const QString name = n % 10 == 0 ? QStringLiteral("中继%1").arg(n) : QStringLiteral("CH-%1").arg(n, 3, 10, QChar('0'));
        ch.setChName(toGbk.encode(name));
        ch.refreshToneTypeCopies();
        model.SetChannelUsed(n, true);
    }
    model.setText(cp::PowerOnMsg, "LT-4402");
}

void FillSampleRadioMemory(RadioImage& image)
{
    CodeplugModel model;
    FillSampleCodeplug(model);
    GetDataForWrite(model, image);
}

} // namespace lt
