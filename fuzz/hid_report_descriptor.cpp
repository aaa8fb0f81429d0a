// A HID report descriptor as a device hands it over. Half the inputs are
// taken as raw bytes; the other half describe reports that are written as a
// descriptor here, so the lengths read back can be checked.

#include "FuzzSupport.h"

#include "hid/HidReportDescriptor.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Short items: the prefix is tag << 4 | type << 2 | size code.
constexpr uint8_t kReportSize = 0x75;
constexpr uint8_t kReportCount = 0x95;
constexpr uint8_t kReportId = 0x85;
constexpr uint8_t kInput = 0x81;
constexpr uint8_t kOutput = 0x91;
constexpr uint8_t kUsagePage = 0x05;
constexpr uint8_t kDataVariable = 0x02;

void PutItem(std::vector<uint8_t>& descriptor, uint8_t prefix, uint32_t value)
{
    // Four bytes of value are size code 3.
    descriptor.push_back(static_cast<uint8_t>((prefix & 0xFC) | 3));
    for (int i = 0; i < 4; ++i)
        descriptor.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint16_t Bytes(uint64_t bits)
{
    return bits == 0 ? 0 : static_cast<uint16_t>(std::min<uint64_t>((bits + 7) / 8 + 1, UINT16_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lt;
    FuzzedDataProvider input(data, size);
    if (input.ConsumeBool()) {
        const std::vector<uint8_t> raw = input.ConsumeRemainingBytes<uint8_t>();
        static_cast<void>(ParseHidReportLengths(raw));
        return 0;
    }

    std::vector<uint8_t> descriptor;
    std::map<uint8_t, std::pair<uint64_t, uint64_t>> bits; // report ID -> input, output
    bool numbered = false;
    uint8_t id = 0;
    PutItem(descriptor, kUsagePage, 0xFF00);
    while (input.remaining_bytes() > 0) {
        if (input.ConsumeIntegralInRange(0, 3) == 0) {
            id = input.ConsumeIntegralInRange<uint8_t>(1, 255);
            numbered = true;
            PutItem(descriptor, kReportId, id);
        }
        const uint32_t reportSize = input.ConsumeIntegralInRange<uint32_t>(0, 64);
        const uint32_t reportCount = input.ConsumeIntegral<uint16_t>();
        const bool isInput = input.ConsumeBool();
        PutItem(descriptor, kReportSize, reportSize);
        PutItem(descriptor, kReportCount, reportCount);
        descriptor.push_back(isInput ? kInput : kOutput);
        descriptor.push_back(kDataVariable);
        (isInput ? bits[id].first : bits[id].second) += uint64_t{reportSize} * reportCount;
    }

    HidReportLengths expected;
    expected.numberedReports = numbered;
    for (const auto& [report, lengths] : bits) {
        expected.input = std::max(expected.input, Bytes(lengths.first));
        expected.output = std::max(expected.output, Bytes(lengths.second));
    }
    const std::optional<HidReportLengths> parsed = ParseHidReportLengths(descriptor);
    LT_FUZZ_CHECK(parsed.has_value());
    LT_FUZZ_CHECK(parsed->input == expected.input && parsed->output == expected.output && parsed->numberedReports == expected.numberedReports);
    return 0;
}
