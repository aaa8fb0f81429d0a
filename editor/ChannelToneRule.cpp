#include "editor/ChannelToneRule.h"

namespace lt {

void SetChannelDecodeTone(ChannelRecord channel, const std::optional<Tone>& tone)
{
    const uint8_t typeBefore = channel.RxToneType();
    if (tone)
        channel.setRxTone(tone->code, tone->type);
    channel.setTxTone(channel.RxToneCode(), channel.RxToneType());

    const uint8_t typeNow = channel.RxToneType();
    const uint8_t mode = channel.Ch_SquelchMode();
    if (typeNow != kToneNone && typeBefore == kToneNone && mode == kSquelchCarrier) {
        channel.setCh_SquelchMode(kSquelchTone);
    } else if (typeNow == kToneNone && typeBefore != kToneNone) {
        const bool dtmfWanted = channel.ChInfor_Dtmf() && (mode == kSquelchDtmfAndTone || mode == kSquelchDtmfOrTone);
        channel.setCh_SquelchMode(dtmfWanted ? kSquelchDtmf : kSquelchCarrier);
    }
}

void SetChannelEncodeTone(ChannelRecord channel, const std::optional<Tone>& tone)
{
    if (tone)
        channel.setTxTone(tone->code, tone->type);
}

} // namespace lt
