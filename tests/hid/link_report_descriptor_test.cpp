#include "hid/HidReportDescriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace lt {
namespace {

std::optional<HidReportLengths> parse(const std::vector<uint8_t>& descriptor)
{
    return ParseHidReportLengths(descriptor);
}

// A vendor-defined device with 64-byte input and output reports and no
// report IDs, the way the radio describes itself.
const std::vector<uint8_t> kVendorDevice = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor)
    0x09, 0x01,        // Usage
    0xA1, 0x01,        // Collection (application)
    0x15, 0x00,        //   Logical Minimum 0
    0x26, 0xFF, 0x00,  //   Logical Maximum 255
    0x75, 0x08,        //   Report Size 8
    0x95, 0x40,        //   Report Count 64
    0x09, 0x01,        //   Usage
    0x81, 0x02,        //   Input
    0x95, 0x40,        //   Report Count 64
    0x09, 0x01,        //   Usage
    0x91, 0x02,        //   Output
    0xC0,              // End Collection
};

TEST(HidReportDescriptor, UnnumberedReportsCountTheReportIdByteToo)
{
    const auto lengths = parse(kVendorDevice);
    ASSERT_TRUE(lengths);
    EXPECT_EQ(lengths->input, 65);
    EXPECT_EQ(lengths->output, 65);
    EXPECT_FALSE(lengths->numberedReports);
}

TEST(HidReportDescriptor, NumberedReportsGiveTheLongestReportOfEachKind)
{
    const std::vector<uint8_t> descriptor = {
        0x85, 0x01,              // Report ID 1
        0x75, 0x08, 0x95, 0x08,  // 8 × 8 bits
        0x81, 0x02,              // Input
        0x75, 0x01, 0x95, 0x03,  // 3 × 1 bit
        0x81, 0x02,              // Input: 67 bits in report 1
        0x95, 0x10, 0x75, 0x08,  // 16 × 8 bits
        0x91, 0x02,              // Output: 16 bytes in report 1
        0x85, 0x02,              // Report ID 2
        0x96, 0x20, 0x00,        // Report Count 32 (two-byte item)
        0x81, 0x02,              // Input: 32 bytes in report 2
        0xB1, 0x02,              // Feature: not counted
    };
    const auto lengths = parse(descriptor);
    ASSERT_TRUE(lengths);
    EXPECT_EQ(lengths->input, 33);
    EXPECT_EQ(lengths->output, 17);
    EXPECT_TRUE(lengths->numberedReports);
}

TEST(HidReportDescriptor, PushAndPopRestoreTheGlobalItemsAndLongItemsAreSkipped)
{
    const std::vector<uint8_t> descriptor = {
        0x75, 0x08, 0x95, 0x04,  // 4 × 8 bits
        0xA4,                    // Push
        0x95, 0x20,              // Report Count 32
        0x81, 0x02,              // Input: 32 bytes
        0xB4,                    // Pop: back to 4
        0xFE, 0x02, 0x10, 0xAA, 0xBB,  // a long item with two data bytes
        0x91, 0x02,              // Output: 4 bytes
    };
    const auto lengths = parse(descriptor);
    ASSERT_TRUE(lengths);
    EXPECT_EQ(lengths->input, 33);
    EXPECT_EQ(lengths->output, 5);
}

TEST(HidReportDescriptor, AKindWithoutReportsHasLengthZero)
{
    const auto lengths = parse({0x75, 0x08, 0x95, 0x02, 0x81, 0x02});
    ASSERT_TRUE(lengths);
    EXPECT_EQ(lengths->input, 3);
    EXPECT_EQ(lengths->output, 0);
}

TEST(HidReportDescriptor, MalformedDescriptorsGiveNothing)
{
    EXPECT_FALSE(parse({0x75}));               // item cut short
    EXPECT_FALSE(parse({0x75, 0x08, 0x96, 0x40}));
    EXPECT_FALSE(parse({0xB4}));               // Pop without Push
    EXPECT_FALSE(parse({0xFE}));               // long item without its size
}

} // namespace
} // namespace lt
