// Numbers as text without the C library's formatted output, which would bring its whole printf engine along.
#pragma once

#include <cstdint>
#include <string>

namespace qz {

// Plain decimal, no leading zeros or blanks.
std::wstring DecimalText(std::uint64_t value);
// Upper-case hexadecimal, zero-padded to at least `minDigits` digits.
std::wstring HexText(std::uint64_t value, int minDigits);

}  // namespace qz
