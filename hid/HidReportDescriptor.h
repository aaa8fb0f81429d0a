#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace lt {

// Report lengths as the HID class driver states them: the longest input and
// output report in bytes, report ID byte included (it is there, as 0, also for
// devices that do not number their reports). A kind without any report has 0.
struct HidReportLengths {
    uint16_t input = 0;
    uint16_t output = 0;
    bool numberedReports = false;  // the device sends its report ID in every report
};

// Reads the lengths from a HID report descriptor (Report Size × Report Count
// of the Input and Output main items, per report ID); nothing when the
// descriptor is malformed.
std::optional<HidReportLengths> ParseHidReportLengths(std::span<const uint8_t> descriptor);

} // namespace lt
