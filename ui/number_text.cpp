#include "ui/number_text.h"

#include <algorithm>

namespace qz {

std::wstring DecimalText(std::uint64_t value) {
  std::wstring text;
  do {
    text.push_back(static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  std::reverse(text.begin(), text.end());
  return text;
}

std::wstring HexText(std::uint64_t value, int minDigits) {
  std::wstring text;
  while (value != 0 || static_cast<int>(text.size()) < minDigits) {
    const auto digit = static_cast<unsigned>(value & 0xF);
    text.push_back(static_cast<wchar_t>(digit < 10 ? L'0' + digit : L'A' + (digit - 10)));
    value >>= 4;
  }
  std::reverse(text.begin(), text.end());
  return text;
}

}  // namespace qz
