#pragma once

#include "codeplug/CodeplugLayout.h"

#include <QByteArray>
#include <array>
#include <cstdint>
#include <span>

namespace lt {

// The band limits the program works in, in Hz. They come from _config.ini, are
// replaced by a radio's values on a read, and drive every band clamp.
struct BandLimits {
    uint32_t UBandMin = 400000000;
    uint32_t UBandMax = 470000000;
    uint32_t VBandMin = 136000000;
    uint32_t VBandMax = 174000000;
    bool operator==(const BandLimits&) const = default;
};

// Largest frequency-mode offset of a band: its span, or 99 987 500 Hz when the
// span does not fit the offset display.
uint32_t OffsetMaxForSpan(uint32_t bandMin, uint32_t bandMax);

struct ProgrammingTime {
    uint16_t year = 0;
    uint8_t month = 0, day = 0, hour = 0, minute = 0;
    bool operator==(const ProgrammingTime&) const = default;
};

// A view of one 76-byte channel record (or a VFO side) inside the block.
class ChannelRecord {
public:
    explicit ChannelRecord(uint8_t* bytes) : p_(bytes) {}

    uint8_t* data() const { return p_; }

    uint32_t RxFreq() const;
    void setRxFreq(uint32_t hz);
    uint32_t TxFreq() const;
    void setTxFreq(uint32_t hz);
    uint16_t RxToneCode() const;
    uint8_t RxToneType() const;
    void setRxTone(uint16_t code, uint8_t type);
    uint16_t TxToneCode() const;
    uint8_t TxToneType() const;
    void setTxTone(uint16_t code, uint8_t type);

    uint8_t signalling() const { return p_[cp::ch::Signalling]; }
    void setSignalling(uint8_t v) { p_[cp::ch::Signalling] = v; }
    uint8_t option() const { return p_[cp::ch::Option]; }
    void setOption(uint8_t v) { p_[cp::ch::Option] = v; }
    uint8_t scrambler() const { return p_[cp::ch::Scrambler]; }
    void setScrambler(uint8_t v) { p_[cp::ch::Scrambler] = v; }
    uint8_t toneByte() const { return p_[cp::ch::ToneByte]; }
    void setToneByte(uint8_t v) { p_[cp::ch::ToneByte] = v; }

    // Bit fields of the signalling, option, scrambler and tone bytes.
    uint8_t Ch_SquelchMode() const { return bits(cp::ch::Signalling, 0, 3); }
    void setCh_SquelchMode(uint8_t v) { setBits(cp::ch::Signalling, 0, 3, v); }
    uint8_t ChInfor_BusyFit() const { return bits(cp::ch::Signalling, 3, 2); }
    void setChInfor_BusyFit(uint8_t v) { setBits(cp::ch::Signalling, 3, 2, v); }
    uint8_t ChInfor_Dtmf() const { return bits(cp::ch::Option, 0, 1); }
    void setChInfor_Dtmf(uint8_t v) { setBits(cp::ch::Option, 0, 1, v); }
    uint8_t ChInfor_Comp() const { return bits(cp::ch::Option, 1, 1); }
    void setChInfor_Comp(uint8_t v) { setBits(cp::ch::Option, 1, 1, v); }
    uint8_t ChInfor_JiaMi() const { return bits(cp::ch::Option, 2, 2); }
    void setChInfor_JiaMi(uint8_t v) { setBits(cp::ch::Option, 2, 2, v); }
    uint8_t ChInfor_Bandwidth() const { return bits(cp::ch::Option, 4, 1); }
    void setChInfor_Bandwidth(uint8_t v) { setBits(cp::ch::Option, 4, 1, v); }
    uint8_t ChInfor_Pow() const { return bits(cp::ch::Option, 5, 1); }
    void setChInfor_Pow(uint8_t v) { setBits(cp::ch::Option, 5, 1, v); }
    uint8_t ChInfor_SCN() const { return bits(cp::ch::Option, 7, 1); }
    void setChInfor_SCN(uint8_t v) { setBits(cp::ch::Option, 7, 1, v); }
    uint8_t ChInfor_Scr() const { return bits(cp::ch::Scrambler, 0, 4); }
    void setChInfor_Scr(uint8_t v) { setBits(cp::ch::Scrambler, 0, 4, v); }
    uint8_t OffsetDir() const { return bits(cp::ch::ToneByte, 0, 2); }
    void setOffsetDir(uint8_t v) { setBits(cp::ch::ToneByte, 0, 2, v); }

    // The 10 name bytes as stored (GBK), up to the first zero byte.
    QByteArray ChName() const;
    // Zero-fills the name and copies at most 10 bytes of name into it.
    void setChName(const QByteArray& name);

    // Refreshes the copies of the two tone types in bits 4-5 and 6-7 of the
    // tone byte; packing does this before the record goes to the radio.
    void refreshToneTypeCopies();

private:
    uint8_t bits(std::size_t at, int shift, int count) const
    {
        return static_cast<uint8_t>((p_[at] >> shift) & ((1u << count) - 1));
    }
    void setBits(std::size_t at, int shift, int count, uint8_t v)
    {
        const unsigned mask = ((1u << count) - 1) << shift;
        p_[at] = static_cast<uint8_t>((p_[at] & ~mask) | ((unsigned(v) << shift) & mask));
    }

    uint8_t* p_;
};

// The program's one codeplug: the packed 20 092-byte block of the codeplug
// file, plus the program-side values kept beside it (never in the file).
class CodeplugModel {
public:
    CodeplugModel();

    // --- the block --------------------------------------------------------
    std::span<uint8_t, cp::kBlockSize> block() { return bytes_; }
    std::span<const uint8_t, cp::kBlockSize> block() const { return bytes_; }

    uint32_t get(const cp::Field& field) const;          // Number fields
    void set(const cp::Field& field, uint32_t value);    // Number fields
    std::span<uint8_t> bytes(const cp::Field& field);    // any field's bytes
    std::span<const uint8_t> bytes(const cp::Field& field) const;

    // Text fields: the bytes up to the first zero; setText zero-fills the whole
    // field and copies at most (width - 1) bytes, so the text stays terminated.
    QByteArray text(const cp::Field& field) const;
    void setText(const cp::Field& field, const QByteArray& text);

    // Digit fields (10 codes + count): the codes actually used.
    QByteArray digitCodes(const cp::Field& field) const;
    void setDigitCodes(const cp::Field& field, const QByteArray& codes);

    ChannelRecord channel(int n);                 // n = 0..240 (0 is never used)
    const ChannelRecord channel(int n) const;
    ChannelRecord vfoA() { return ChannelRecord(bytes_.data() + cp::VfoA.offset); }
    ChannelRecord vfoB() { return ChannelRecord(bytes_.data() + cp::VfoB.offset); }
    const ChannelRecord vfoA() const;
    const ChannelRecord vfoB() const;

    bool IsChannelUsed(int n) const;              // n = 0..240
    void SetChannelUsed(int n, bool used);        // n = 1..240; others ignored
    bool AnyChannelUsed() const;
    int UsedChannelCount() const;

    bool IsAddrBookEntryUsed(int i) const;        // i = 0..16
    void SetAddrBookEntryUsed(int i, bool used);

    // New-channel contents for a channel that just received its first
    // frequency; the caller marks it used.
    void StringGridAutoFullRow(int n);

    // File/New.
    void SetCodeplugDefaults();
    void SetDtmfDefaults();

    // --- program-side values -----------------------------------------------
    ProgrammingTime LastWriteTime;
    BandLimits bands;
    uint32_t UOffsetMax = 70000000;
    uint32_t VOffsetMax = 38000000;
    // Recomputes UOffsetMax / VOffsetMax from the current band limits.
    void updateOffsetMax();

private:
    std::array<uint8_t, cp::kBlockSize> bytes_{};
};

} // namespace lt
