#include "codeplug/PasswordRecord.h"

#include <algorithm>
#include <numeric>
#include <random>

namespace lt {

namespace {

uint8_t checkSum(std::span<const uint8_t, kPasswordRecordSize> record)
{
    return static_cast<uint8_t>(std::accumulate(record.begin(), record.begin() + 15, 0u));
}

} // namespace

void SystemRandomBytes(std::span<uint8_t> out)
{
    std::random_device device;
    std::uniform_int_distribution<unsigned> byte(0, 255);
    for (uint8_t& b : out)
        b = static_cast<uint8_t>(byte(device));
}

PasswordRecord EncodePasswordRecord(const QByteArray& password, const RandomBytes& random)
{
    PasswordRecord r{};
    random(r);
    const auto n = static_cast<uint8_t>(std::min<qsizetype>(password.size(), kPasswordMaxLength));
    const uint8_t k1 = r[1];
    const uint8_t b = r[2];
    r[0] = n;
    r[2] = static_cast<uint8_t>(~static_cast<uint8_t>(k1 + b) ^ k1);
    for (int i = 0; i < n; ++i) {
        const auto c = static_cast<uint8_t>(password[i]);
        r[3 + i] = static_cast<uint8_t>(~static_cast<uint8_t>(c + b) ^ b);
    }
    r[15] = checkSum(r);
    return r;
}

DecodedPassword DecodePasswordRecord(std::span<const uint8_t, kPasswordRecordSize> r)
{
    if (r[0] == 0)
        return {PasswordDecode::NoPassword, {}};
    if (r[0] > kPasswordMaxLength || r[15] != checkSum(r))
        return {PasswordDecode::Invalid, {}};
    const auto b = static_cast<uint8_t>(static_cast<uint8_t>(~(r[2] ^ r[1])) - r[1]);
    DecodedPassword decoded{PasswordDecode::Ok, {}};
    for (int i = 0; i < r[0]; ++i)
        decoded.password.append(static_cast<char>(static_cast<uint8_t>(static_cast<uint8_t>(~(r[3 + i] ^ b)) - b)));
    return decoded;
}

bool CheckPasswordRecord(std::span<const uint8_t, kPasswordRecordSize> r, const QByteArray& entered)
{
    if (r[0] == 0x00 || r[0] == 0xFF)
        return true;
    if (r[0] != entered.size())
        return false;
    const DecodedPassword decoded = DecodePasswordRecord(r);
    if (decoded.result != PasswordDecode::Ok)
        return true;
    return decoded.password == entered;
}

} // namespace lt
