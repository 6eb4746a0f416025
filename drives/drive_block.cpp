#include "drives/drive_block.h"

#include <algorithm>

namespace qz::drives {

namespace {
// Room for all 26 letters: 4 characters a root and the final NUL.
constexpr std::uint32_t kFullBlockLength = 4 * 26 + 1;

// One listing into a buffer of the given length: false when the block did not fit, with the size it needs.
bool ListInto(const DriveCalls& calls, std::vector<wchar_t>& buffer, std::uint32_t& needed,
              std::wstring_view& counted) {
  const auto length = static_cast<std::uint32_t>(buffer.size());
  const std::uint32_t result = calls.logicalDriveStrings(length, buffer.data());
  if (result >= length) {
    needed = result;
    return false;
  }
  counted = std::wstring_view(buffer.data(), result);
  return true;
}
}  // namespace

std::vector<std::wstring> SplitDriveBlock(std::wstring_view counted) {
  std::vector<std::wstring> roots;
  roots.reserve(counted.size() / 4 + 1);
  std::wstring current;
  for (const wchar_t ch : counted) {
    if (ch == L'\0') {
      roots.push_back(std::move(current));
      current.clear();
    } else {
      current += ch;
    }
  }
  return roots;
}

std::vector<std::wstring> ReadDriveRoots(const DriveCalls& calls) {
  std::vector<wchar_t> buffer(kFullBlockLength + 1, L'\0');
  std::uint32_t needed = 0;
  std::wstring_view counted;
  if (!ListInto(calls, buffer, needed, counted)) {
    // The drive set grew between the calls or the system lists more than letters: one more try at the size it asked.
    buffer.assign(needed + 1, L'\0');
    if (!ListInto(calls, buffer, needed, counted)) return {};
  }
  return SplitDriveBlock(counted);
}

bool IsPassedOver(const std::wstring& root) { return root == L"A:\\" || root == L"B:\\"; }

}  // namespace qz::drives
