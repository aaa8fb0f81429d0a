#pragma once

#include <QString>

#include <cstdint>

// The update dialog's "文件代码" field: a hexadecimal value of at most six
// digits, the data offset of a data download or the expected sum of a firmware
// file.
namespace lt {

inline constexpr int kDataOffsetMaxLength = 6;

// Control characters, DEL, digits and "A".."F" / "a".."f" may be typed.
bool DataOffsetKeyAllowed(char16_t key);

// Read left to right as hexadecimal; a character that is not a hexadecimal
// digit counts as 0, so a pasted "1G" gives 0x10. An empty text gives 0.
int32_t ParseDataOffset(const QString& text);

// Upper case, no leading zeros ("%X").
QString DataOffsetText(int32_t value);

} // namespace lt
