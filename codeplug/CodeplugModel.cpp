#include "codeplug/CodeplugModel.h"

#include "codeplug/LittleEndian.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace lt {

using namespace cp;

uint32_t OffsetMaxForSpan(uint32_t bandMin, uint32_t bandMax)
{
    const uint32_t span = bandMax - bandMin;
    return span > 99999999u ? 99987500u : span;
}

// --- ChannelRecord -----------------------------------------------------------

uint32_t ChannelRecord::RxFreq() const { return le::get32(p_ + ch::RxFreq); }
void ChannelRecord::setRxFreq(uint32_t hz) { le::put32(p_ + ch::RxFreq, hz); }
uint32_t ChannelRecord::TxFreq() const { return le::get32(p_ + ch::TxFreq); }
void ChannelRecord::setTxFreq(uint32_t hz) { le::put32(p_ + ch::TxFreq, hz); }
uint16_t ChannelRecord::RxToneCode() const { return le::get16(p_ + ch::RxToneCode); }
uint8_t ChannelRecord::RxToneType() const { return p_[ch::RxToneType]; }
uint16_t ChannelRecord::TxToneCode() const { return le::get16(p_ + ch::TxToneCode); }
uint8_t ChannelRecord::TxToneType() const { return p_[ch::TxToneType]; }

void ChannelRecord::setRxTone(uint16_t code, uint8_t type)
{
    le::put16(p_ + ch::RxToneCode, code);
    p_[ch::RxToneType] = type;
}

void ChannelRecord::setTxTone(uint16_t code, uint8_t type)
{
    le::put16(p_ + ch::TxToneCode, code);
    p_[ch::TxToneType] = type;
}

QByteArray ChannelRecord::ChName() const
{
    const auto* begin = reinterpret_cast<const char*>(p_ + ch::ChName);
    return QByteArray(begin, static_cast<qsizetype>(strnlen(begin, ch::kNameSize)));
}

void ChannelRecord::setChName(const QByteArray& name)
{
    std::memset(p_ + ch::ChName, 0, ch::kNameSize);
    std::memcpy(p_ + ch::ChName, name.constData(), std::min<std::size_t>(name.size(), ch::kNameSize));
}

void ChannelRecord::refreshToneTypeCopies()
{
    setBits(ch::ToneByte, 4, 2, RxToneType());
    setBits(ch::ToneByte, 6, 2, TxToneType());
}

// --- CodeplugModel -----------------------------------------------------------

CodeplugModel::CodeplugModel()
{
    SetCodeplugDefaults();
}

uint32_t CodeplugModel::get(const Field& field) const
{
    assert(field.kind == FieldKind::Number);
    return le::get(bytes_.data() + field.offset, field.width);
}

void CodeplugModel::set(const Field& field, uint32_t value)
{
    assert(field.kind == FieldKind::Number);
    le::put(bytes_.data() + field.offset, field.width, value);
}

std::span<uint8_t> CodeplugModel::bytes(const Field& field)
{
    return {bytes_.data() + field.offset, field.width};
}

std::span<const uint8_t> CodeplugModel::bytes(const Field& field) const
{
    return {bytes_.data() + field.offset, field.width};
}

QByteArray CodeplugModel::text(const Field& field) const
{
    const auto* begin = reinterpret_cast<const char*>(bytes_.data() + field.offset);
    return QByteArray(begin, static_cast<qsizetype>(strnlen(begin, field.width)));
}

void CodeplugModel::setText(const Field& field, const QByteArray& text)
{
    uint8_t* at = bytes_.data() + field.offset;
    std::memset(at, 0, field.width);
    std::memcpy(at, text.constData(), std::min<std::size_t>(text.size(), field.width - 1u));
}

QByteArray CodeplugModel::digitCodes(const Field& field) const
{
    assert(field.kind == FieldKind::Digits);
    const uint8_t* at = bytes_.data() + field.offset;
    const std::size_t count = std::min<std::size_t>(at[field.width - 1], field.width - 1u);
    return QByteArray(reinterpret_cast<const char*>(at), static_cast<qsizetype>(count));
}

void CodeplugModel::setDigitCodes(const Field& field, const QByteArray& codes)
{
    assert(field.kind == FieldKind::Digits);
    uint8_t* at = bytes_.data() + field.offset;
    const std::size_t count = std::min<std::size_t>(codes.size(), field.width - 1u);
    std::memset(at, 0, field.width);
    std::memcpy(at, codes.constData(), count);
    at[field.width - 1] = static_cast<uint8_t>(count);
}

ChannelRecord CodeplugModel::channel(int n)
{
    assert(n >= 0 && n <= kChannelCount);
    return ChannelRecord(bytes_.data() + Channels.offset + ch::kSize * static_cast<std::size_t>(n));
}

const ChannelRecord CodeplugModel::channel(int n) const
{
    return const_cast<CodeplugModel*>(this)->channel(n);
}

const ChannelRecord CodeplugModel::vfoA() const { return const_cast<CodeplugModel*>(this)->vfoA(); }
const ChannelRecord CodeplugModel::vfoB() const { return const_cast<CodeplugModel*>(this)->vfoB(); }

bool CodeplugModel::IsChannelUsed(int n) const
{
    if (n < 0 || n > kChannelCount)
        return false;
    return (bytes_[ChannelUsedMap.offset + n / 8] >> (n % 8)) & 1;
}

void CodeplugModel::SetChannelUsed(int n, bool used)
{
    if (n < 1 || n > kChannelCount)
        return;
    uint8_t& byte = bytes_[ChannelUsedMap.offset + n / 8];
    const auto bit = static_cast<uint8_t>(1u << (n % 8));
    byte = used ? (byte | bit) : (byte & ~bit);
}

bool CodeplugModel::AnyChannelUsed() const
{
    for (int n = 1; n <= kChannelCount; ++n)
        if (IsChannelUsed(n))
            return true;
    return false;
}

int CodeplugModel::UsedChannelCount() const
{
    int count = 0;
    for (int n = 1; n <= kChannelCount; ++n)
        count += IsChannelUsed(n) ? 1 : 0;
    return count;
}

bool CodeplugModel::IsAddrBookEntryUsed(int i) const
{
    if (i < 0 || i >= addr::kEntries)
        return false;
    return (bytes_[AddrBookUsedMap.offset + i / 8] >> (i % 8)) & 1;
}

void CodeplugModel::SetAddrBookEntryUsed(int i, bool used)
{
    if (i < 0 || i >= addr::kEntries)
        return;
    uint8_t& byte = bytes_[AddrBookUsedMap.offset + i / 8];
    const auto bit = static_cast<uint8_t>(1u << (i % 8));
    byte = used ? (byte | bit) : (byte & ~bit);
}

void CodeplugModel::StringGridAutoFullRow(int n)
{
    ChannelRecord record = channel(n);
    record.setTxFreq(record.RxFreq());
    record.setRxTone(0, 0);
    record.setTxTone(0, 0);
    record.setSignalling(0);
    record.setOption(0xB0); // wide, high power, in the scan list
    record.setScrambler(0);
    record.setToneByte(0);
}

void CodeplugModel::SetCodeplugDefaults()
{
    LastWriteTime = {};
    bytes_.fill(0);

    const struct {
        const Field& field;
        uint32_t value;
    } defaults[] = {
        {Voice, 1}, {SQL, 5}, {SquelchMode, 3}, {TOT, 180}, {TOA, 5}, {SCAN, 1}, {Beep, 1},
        {Saving, 1}, {Saving_Rate, 4}, {SubaudioTail, 3}, {AlarmMode, 1}, {VOX_DELAY, 1500},
        {ChannelReport, 1}, {PowerOnBeep, 1}, {MasterTxPeriod, 5}, {SlaveTimeout, 10},
        {SlaveAlarmPeriod, 2}, {Hz1750, 3}, {Screensaver, 1}, {WatchMode, 1}, {Step_A, 12500},
        {Step_B, 12500}, {MEM, 1}, {BackLight, 10}, {NAM, 1}, {FMR, 1}, {RxColor, 1},
        {CallRing, 1}, {MenuDisp, 1}, {Mic_Denoise, 1}, {SynClockWhenWrite, 1},
        {Key_1_Short, 24}, {Key_2_Short, 3},
    };
    for (const auto& d : defaults)
        set(d.field, d.value);
    setText(PowerOnMsg, QByteArrayLiteral("WELCOME"));

    ChannelRecord a = vfoA();
    a.setRxFreq(bands.UBandMin + 25000);
    a.setTxFreq(bands.UBandMin + 25000);
    a.setRxTone(0, 0);
    a.setTxTone(0, 0);
    a.setSignalling(0);
    a.setOption(0xB0);
    a.setScrambler(0);
    a.setToneByte(0);

    ChannelRecord b = vfoB();
    std::memcpy(b.data(), a.data(), ch::kSize);
    b.setRxFreq(bands.VBandMin + 25000);
    b.setTxFreq(bands.VBandMin + 25000);

    SetDtmfDefaults();
}

void CodeplugModel::SetDtmfDefaults()
{
    std::ranges::fill(bytes(Reserved_109), 0);
    std::ranges::fill(bytes(AddrBookUsedMap), 0);
    std::ranges::fill(bytes(Reserved_125), 0);
    const struct {
        const Field& field;
        uint32_t value;
    } defaults[] = {
        {D_ID, 1}, {D_Group, 1}, {D_EncodeMode, 0}, {D_SideTone, 0}, {D_Control, 0},
        {D_DigitSpeed, 100}, {D_PauseDuration, 100}, {D_FirstDelay, 100}, {D_Pretime, 500},
        {D_Mi_Jing_Delay, 50}, {GroupCode, 0}, {AutoReset, 0}, {SendANI, 0},
    };
    for (const auto& d : defaults)
        set(d.field, d.value);
}

void CodeplugModel::updateOffsetMax()
{
    UOffsetMax = OffsetMaxForSpan(bands.UBandMin, bands.UBandMax);
    VOffsetMax = OffsetMaxForSpan(bands.VBandMin, bands.VBandMax);
}

} // namespace lt
