#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>
#include <functional>
#include <span>

// The radio's 16-byte password record at 0xC000. The characters are scrambled
// with a random byte, so the same password gives a different record each time
// it is written.
namespace lt {

inline constexpr uint16_t kPasswordRecordAddress = 0xC000;
inline constexpr std::size_t kPasswordRecordSize = 16;
inline constexpr int kPasswordMaxLength = 12;

using PasswordRecord = std::array<uint8_t, kPasswordRecordSize>;

// Fills the span with random bytes. Tests pass a seeded one.
using RandomBytes = std::function<void(std::span<uint8_t>)>;

// Random bytes drawn from std::random_device.
void SystemRandomBytes(std::span<uint8_t> out);

// A record for a password of 0..12 bytes (longer ones are cut to 12); an empty
// password gives length byte 0, which removes the protection.
PasswordRecord EncodePasswordRecord(const QByteArray& password, const RandomBytes& random = SystemRandomBytes);

enum class PasswordDecode {
    Ok = 0,       // password holds the decoded characters
    NoPassword = 1,
    Invalid = 2,  // length above 12 or wrong check byte
};

struct DecodedPassword {
    PasswordDecode result = PasswordDecode::Invalid;
    QByteArray password;
};

DecodedPassword DecodePasswordRecord(std::span<const uint8_t, kPasswordRecordSize> record);

// Whether a transfer may go on with the entered password. An erased or empty
// record, and a record that does not decode, let every password pass; a length
// that differs from the entered password's fails at once.
bool CheckPasswordRecord(std::span<const uint8_t, kPasswordRecordSize> record, const QByteArray& entered);

} // namespace lt
