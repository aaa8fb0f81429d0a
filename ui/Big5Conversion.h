#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>

namespace lt {

// GBK double-byte code positions: lead byte 0x81-0xFE, trail byte 0x40-0xFE.
inline constexpr int kGbkLeadFirst = 0x81;
inline constexpr int kGbkLeadLast = 0xFE;
inline constexpr int kGbkTrailFirst = 0x40;
inline constexpr int kGbkTrailLast = 0xFE;
inline constexpr int kGbkTrailCount = kGbkTrailLast - kGbkTrailFirst + 1;
inline constexpr int kBig5TableEntries = (kGbkLeadLast - kGbkLeadFirst + 1) * kGbkTrailCount;
static_assert(kGbkTrailCount == 191);
static_assert(kBig5TableEntries == 24066);

inline constexpr bool IsGbkLead(uint8_t byte) { return byte >= kGbkLeadFirst && byte <= kGbkLeadLast; }
inline constexpr bool IsGbkTrail(uint8_t byte) { return byte >= kGbkTrailFirst && byte <= kGbkTrailLast; }

// Entry of the conversion table for a GBK code position.
inline constexpr int Big5TableIndex(uint8_t lead, uint8_t trail) { return lead * kGbkTrailCount + trail - 24703; }
static_assert(Big5TableIndex(kGbkLeadFirst, kGbkTrailFirst) == 0);
static_assert(Big5TableIndex(kGbkLeadLast, kGbkTrailLast) == kBig5TableEntries - 1);

// One entry: the Big5 code of the character, its first byte stored with the
// top bit inverted. A position without a Big5 character holds its own GBK
// bytes, so converting it changes nothing.
using Big5TableEntry = std::array<uint8_t, 2>;
using Big5Table = std::array<Big5TableEntry, kBig5TableEntries>;

// The table, built from the GBK and Big5 codecs on first use.
const Big5Table& GbkToBig5Table();

// GBK text to Big5 text of the same length: each lead-trail pair goes through
// the table; any other byte, a lone lead byte at the end among them, is copied.
QByteArray GbkToBig5(const QByteArray& gbk);

} // namespace lt
