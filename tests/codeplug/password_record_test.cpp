#include "codeplug/PasswordRecord.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

using namespace lt;

namespace {

RandomBytes seeded(uint32_t seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](std::span<uint8_t> out) {
        for (uint8_t& b : out)
            b = static_cast<uint8_t>((*engine)() & 0xFF);
    };
}

uint8_t sum15(const PasswordRecord& r)
{
    return static_cast<uint8_t>(std::accumulate(r.begin(), r.begin() + 15, 0u));
}

TEST(PasswordRecord, EncodeThenDecodeGivesEveryPasswordBack)
{
    std::mt19937 chars(42);
    for (int seed = 0; seed < 20; ++seed) {
        for (int n = 0; n <= kPasswordMaxLength; ++n) {
            QByteArray password;
            for (int i = 0; i < n; ++i)
                password.append(static_cast<char>(chars() & 0xFF)); // includes bytes above 0x7F and 0
            const PasswordRecord r = EncodePasswordRecord(password, seeded(static_cast<uint32_t>(seed * 100 + n)));
            EXPECT_EQ(r[0], n);
            EXPECT_EQ(r[15], sum15(r));
            const DecodedPassword decoded = DecodePasswordRecord(r);
            if (n == 0) {
                EXPECT_EQ(decoded.result, PasswordDecode::NoPassword);
                EXPECT_TRUE(CheckPasswordRecord(r, QByteArray()));
                continue;
            }
            EXPECT_EQ(decoded.result, PasswordDecode::Ok);
            EXPECT_EQ(decoded.password, password) << "length " << n;
            EXPECT_TRUE(CheckPasswordRecord(r, password));
            QByteArray wrong = password;
            wrong[n - 1] = static_cast<char>(wrong[n - 1] ^ 0x80);
            EXPECT_FALSE(CheckPasswordRecord(r, wrong));
        }
    }
}

TEST(PasswordRecord, RandomBytesScrambleAndFillTheRecord)
{
    const QByteArray password("\xB0\xA1""123", 5);
    const PasswordRecord a = EncodePasswordRecord(password);
    const PasswordRecord b = EncodePasswordRecord(password);
    EXPECT_NE(a, b);
    EXPECT_EQ(DecodePasswordRecord(a).password, password);
    EXPECT_EQ(DecodePasswordRecord(b).password, password);

    // Bytes past the password keep the drawn random values.
    PasswordRecord drawn{};
    const RandomBytes fixed = [&](std::span<uint8_t> out) {
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = static_cast<uint8_t>(0x40 + i);
        std::copy(out.begin(), out.end(), drawn.begin());
    };
    const PasswordRecord r = EncodePasswordRecord("abc", fixed);
    EXPECT_EQ(r[1], drawn[1]);
    for (int i = 6; i < 15; ++i)
        EXPECT_EQ(r[i], drawn[i]) << i;
    // k1 = 0x41, b = 0x42: byte 2 = ~(0x83) ^ 0x41 = 0x7C ^ 0x41; 'a' = ~(0x61 + 0x42) ^ 0x42.
    EXPECT_EQ(r[2], 0x3D);
    EXPECT_EQ(r[3], static_cast<uint8_t>(~uint8_t(0x61 + 0x42) ^ 0x42));
    EXPECT_EQ(r[0], 3);
    EXPECT_EQ(r[15], sum15(r));
}

TEST(PasswordRecord, LongPasswordsAreCutToTwelveBytes)
{
    const PasswordRecord r = EncodePasswordRecord("0123456789ABCDEF", seeded(1));
    EXPECT_EQ(r[0], 12);
    EXPECT_EQ(DecodePasswordRecord(r).password, QByteArray("0123456789AB"));
}

TEST(PasswordRecord, CheckAndDecodeOfSpecialRecords)
{
    PasswordRecord erased;
    erased.fill(0xFF);
    PasswordRecord empty{};
    PasswordRecord three = EncodePasswordRecord("abc", seeded(7));
    PasswordRecord badSum = three;
    badSum[15] = static_cast<uint8_t>(badSum[15] + 1);
    PasswordRecord tooLong = three;
    tooLong[0] = 13;
    tooLong[15] = sum15(tooLong);

    const struct {
        const char* what;
        const PasswordRecord& record;
        QByteArray entered;
        bool pass;
    } checks[] = {
        {"erased, empty", erased, "", true},
        {"erased, any", erased, "secret", true},
        {"empty, empty", empty, "", true},
        {"empty, any", empty, "secret", true},
        {"length 3 vs 4", three, "abcd", false},
        {"length 3 vs 2", three, "ab", false},
        {"right", three, "abc", true},
        {"wrong", three, "abd", false},
        {"bad sum, same length", badSum, "xyz", true},
        {"bad sum, other length", badSum, "xy", false},
    };
    for (const auto& c : checks)
        EXPECT_EQ(CheckPasswordRecord(c.record, c.entered), c.pass) << c.what;

    EXPECT_EQ(DecodePasswordRecord(empty).result, PasswordDecode::NoPassword);
    EXPECT_EQ(DecodePasswordRecord(erased).result, PasswordDecode::Invalid);
    EXPECT_EQ(DecodePasswordRecord(badSum).result, PasswordDecode::Invalid);
    EXPECT_EQ(DecodePasswordRecord(tooLong).result, PasswordDecode::Invalid);
}

} // namespace
