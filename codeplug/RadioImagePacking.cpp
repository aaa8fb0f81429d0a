#include "codeplug/RadioImagePacking.h"

#include "codeplug/LittleEndian.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>

namespace lt {

namespace {

namespace slot = ri::slot;

void packRecordHead(ChannelRecord record, uint8_t* p)
{
    record.refreshToneTypeCopies();
    le::put32(p + slot::RxFreq, record.RxFreq());
    le::put32(p + slot::TxFreq, record.TxFreq());
    le::put16(p + slot::RxToneCode, record.RxToneCode());
    le::put16(p + slot::TxToneCode, record.TxToneCode());
    p[slot::Signalling] = record.signalling();
    p[slot::Option] = record.option();
    p[slot::Scrambler] = record.scrambler();
    p[slot::ToneByte] = record.toneByte();
}

void unpackRecordHead(const uint8_t* p, ChannelRecord record)
{
    const uint8_t toneByte = p[slot::ToneByte];
    record.setRxFreq(le::get32(p + slot::RxFreq));
    record.setTxFreq(le::get32(p + slot::TxFreq));
    record.setRxTone(le::get16(p + slot::RxToneCode), (toneByte >> slot::kRxToneTypeShift) & 3);
    record.setTxTone(le::get16(p + slot::TxToneCode), (toneByte >> slot::kTxToneTypeShift) & 3);
    record.setSignalling(p[slot::Signalling]);
    record.setOption(p[slot::Option]);
    record.setScrambler(p[slot::Scrambler]);
    record.setToneByte(toneByte);
}

uint8_t* at(RadioImage& image, const ri::Place& place) { return image.at(place.address); }
const uint8_t* at(const RadioImage& image, const ri::Place& place) { return image.at(place.address); }

void packBytes(RadioImage& image, const ri::Place& place, const CodeplugModel& model, const cp::Field& field)
{
    std::memcpy(at(image, place), model.bytes(field).data(), place.width);
}

// The model's field is cleared first so a text that fills the image place is
// still terminated in the model.
void unpackText(const RadioImage& image, const ri::Place& place, CodeplugModel& model, const cp::Field& field)
{
    const std::span<uint8_t> bytes = model.bytes(field);
    std::ranges::fill(bytes, 0);
    std::memcpy(bytes.data(), at(image, place), place.width);
}

template <std::size_t N>
void packNumbers(RadioImage& image, const CodeplugModel& model, const ri::NumberPlace (&numbers)[N])
{
    for (const ri::NumberPlace& n : numbers)
        le::put(at(image, n.place), n.place.width, model.get(n.field));
}

template <std::size_t N>
void unpackNumbers(const RadioImage& image, CodeplugModel& model, const ri::NumberPlace (&numbers)[N])
{
    for (const ri::NumberPlace& n : numbers)
        model.set(n.field, le::get(at(image, n.place), n.place.width));
}

} // namespace

ProgrammingTime LocalClockNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {static_cast<uint16_t>(date.year()), static_cast<uint8_t>(date.month()),
            static_cast<uint8_t>(date.day()), static_cast<uint8_t>(time.hour()),
            static_cast<uint8_t>(time.minute())};
}

void GetDataForWrite(CodeplugModel& model, RadioImage& image, const ClockFn& clock, const RandomBytes& random)
{
    image.bytes.fill(0);

    packBytes(image, ri::ChannelUsedMap, model, cp::ChannelUsedMap);
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        if (!model.IsChannelUsed(n))
            continue;
        ChannelRecord record = model.channel(n);
        uint8_t* p = image.at(ChannelSlotAddress(n));
        packRecordHead(record, p);
        std::memcpy(p + slot::ChName, record.data() + cp::ch::ChName, slot::kNameSize);
    }

    packRecordHead(model.vfoA(), at(image, ri::VfoA));
    packRecordHead(model.vfoB(), at(image, ri::VfoB));
    packNumbers(image, model, ri::kFreqModeNumbers);

    packNumbers(image, model, ri::kSettingNumbers);
    packBytes(image, ri::PowerOnMsg, model, cp::PowerOnMsg);
    packBytes(image, ri::HuHao, model, cp::HuHao);
    packBytes(image, ri::PowerOnMsg2, model, cp::PowerOnMsg2);
    packBytes(image, ri::PowerOnMsg2Head, model, cp::PowerOnMsg2);
    const std::span<const uint8_t> ani = std::as_const(model).bytes(cp::ANI);
    std::memcpy(at(image, ri::AniCodes), ani.data(), ri::AniCodes.width);
    *at(image, ri::AniCount) = ani[ri::AniCodes.width];

    le::put32(at(image, ri::VBandMin), model.bands.VBandMin);
    le::put32(at(image, ri::VBandMax), model.bands.VBandMax);
    le::put32(at(image, ri::UBandMin), model.bands.UBandMin);
    le::put32(at(image, ri::UBandMax), model.bands.UBandMax);

    const PasswordRecord password = EncodePasswordRecord(model.text(cp::NewPassword), random);
    std::ranges::copy(password, at(image, ri::PasswordRecordPlace));

    const ProgrammingTime now = clock();
    uint8_t* time = at(image, ri::WriteTime);
    time[0] = static_cast<uint8_t>(now.year >> 8);
    time[1] = static_cast<uint8_t>(now.year & 0xFF);
    time[2] = now.month;
    time[3] = now.day;
    time[4] = now.hour;
    time[5] = now.minute;
}

void SetDataToSoftware(const RadioImage& image, CodeplugModel& model)
{
    std::memcpy(model.bytes(cp::ChannelUsedMap).data(), at(image, ri::ChannelUsedMap), ri::ChannelUsedMap.width);
    for (int n = 1; n <= cp::kChannelCount; ++n) {
        if (!model.IsChannelUsed(n))
            continue;
        ChannelRecord record = model.channel(n);
        const uint8_t* p = image.at(ChannelSlotAddress(n));
        unpackRecordHead(p, record);
        std::memcpy(record.data() + cp::ch::ChName, p + slot::ChName, slot::kNameSize);
    }

    unpackRecordHead(at(image, ri::VfoA), model.vfoA());
    unpackRecordHead(at(image, ri::VfoB), model.vfoB());
    unpackNumbers(image, model, ri::kFreqModeNumbers);

    unpackNumbers(image, model, ri::kSettingNumbers);
    unpackText(image, ri::PowerOnMsg, model, cp::PowerOnMsg);
    unpackText(image, ri::HuHao, model, cp::HuHao);
    unpackText(image, ri::PowerOnMsg2, model, cp::PowerOnMsg2);
    const std::span<uint8_t> ani = model.bytes(cp::ANI);
    std::memcpy(ani.data(), at(image, ri::AniCodes), ri::AniCodes.width);
    ani[ri::AniCodes.width] = *at(image, ri::AniCount);

    model.bands.VBandMin = le::get32(at(image, ri::VBandMin));
    model.bands.VBandMax = le::get32(at(image, ri::VBandMax));
    model.bands.UBandMin = le::get32(at(image, ri::UBandMin));
    model.bands.UBandMax = le::get32(at(image, ri::UBandMax));

    const uint8_t* time = at(image, ri::WriteTime);
    model.LastWriteTime = {static_cast<uint16_t>(time[0] * 256 + time[1]), time[2], time[3], time[4], time[5]};
}

} // namespace lt
