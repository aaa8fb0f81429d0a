#pragma once

#include <cstdint>

namespace lt {

// Codes of TransferOperation: which exchange a run of the transfer dialog makes.
namespace op {
inline constexpr int32_t Codeplug = 0;
inline constexpr int32_t Calibration = 1;
inline constexpr int32_t RadioPassword = 5;
inline constexpr int32_t RfChipStatus = 7;
inline constexpr int32_t DataDownload = 11;
inline constexpr int32_t FirmwareUpdate = 12;
inline constexpr int32_t CustomerId = 14;
inline constexpr int32_t WriteAll = 17;
} // namespace op

inline constexpr int32_t kDirectionWrite = 0;
inline constexpr int32_t kDirectionRead = 1;

// What the starter of a run sets before it opens the transfer dialog, and the
// one counter that outlives a run: the auto-search pass counter keeps counting
// for the whole life of the program, so a later run may give up sooner.
struct TransferState {
    int32_t TransferOperation = op::Codeplug;
    int32_t direction = kDirectionRead;
    int32_t searchPassCount = 0;
};

} // namespace lt
