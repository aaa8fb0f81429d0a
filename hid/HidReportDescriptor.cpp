#include "hid/HidReportDescriptor.h"

#include <algorithm>
#include <map>
#include <vector>

namespace lt {

namespace {

// Item types and tags of the short items that decide report lengths.
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainOutput = 0x9;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;
constexpr uint8_t kLongItemPrefix = 0xFE;

struct Globals {
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint8_t reportId = 0;
};

struct Bits {
    uint64_t input = 0;
    uint64_t output = 0;
};

uint16_t bytesWithId(uint64_t bits)
{
    if (bits == 0)
        return 0;
    return static_cast<uint16_t>(std::min<uint64_t>((bits + 7) / 8 + 1, UINT16_MAX));
}

} // namespace

std::optional<HidReportLengths> ParseHidReportLengths(std::span<const uint8_t> descriptor)
{
    Globals globals;
    std::vector<Globals> stack;
    std::map<uint8_t, Bits> reports;
    bool numbered = false;

    std::size_t at = 0;
    while (at < descriptor.size()) {
        const uint8_t prefix = descriptor[at];
        if (prefix == kLongItemPrefix) {
            if (at + 1 >= descriptor.size())
                return std::nullopt;
            at += 3 + descriptor[at + 1];
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (at + 1 + size > descriptor.size())
            return std::nullopt;
        uint32_t value = 0;
        for (std::size_t i = size; i-- > 0;)
            value = (value << 8) | descriptor[at + 1 + i];
        const uint8_t type = (prefix >> 2) & 3;
        const uint8_t tag = prefix >> 4;
        at += 1 + size;

        if (type == kTypeGlobal) {
            switch (tag) {
            case kGlobalReportSize: globals.reportSize = value; break;
            case kGlobalReportCount: globals.reportCount = value; break;
            case kGlobalReportId:
                globals.reportId = static_cast<uint8_t>(value);
                numbered = true;
                break;
            case kGlobalPush: stack.push_back(globals); break;
            case kGlobalPop:
                if (stack.empty())
                    return std::nullopt;
                globals = stack.back();
                stack.pop_back();
                break;
            default: break;
            }
        } else if (type == kTypeMain && (tag == kMainInput || tag == kMainOutput)) {
            const uint64_t bits = uint64_t{globals.reportSize} * globals.reportCount;
            Bits& report = reports[globals.reportId];
            (tag == kMainInput ? report.input : report.output) += bits;
        }
    }

    HidReportLengths lengths;
    lengths.numberedReports = numbered;
    for (const auto& [id, bits] : reports) {
        lengths.input = std::max(lengths.input, bytesWithId(bits.input));
        lengths.output = std::max(lengths.output, bytesWithId(bits.output));
    }
    return lengths;
}

} // namespace lt
