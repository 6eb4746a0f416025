// Reading the system's block of drive roots and picking the removable ones, apart from the two system calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::drives {

inline constexpr unsigned kDriveRemovable = 2;

// The two system calls, injected so that the decisions can be tested anywhere.
struct DriveCalls {
  // Writes the block of drive roots into buf (length len, in characters) and returns the characters written without
  // the final NUL; 0 on failure; the size needed, final NUL included, when the block does not fit.
  std::function<std::uint32_t(std::uint32_t len, wchar_t* buf)> logicalDriveStrings;
  // The type of a drive, given its NUL-terminated root.
  std::function<unsigned(const std::wstring& root)> driveType;
};

// Splits the first `count` characters of a block: each NUL ends a root, and a root counts only once its NUL is met.
std::vector<std::wstring> SplitDriveBlock(std::wstring_view counted);

// Asks the system for its block of roots; never reads past what the buffer holds. Empty when the listing fails.
std::vector<std::wstring> ReadDriveRoots(const DriveCalls& calls);

// "A:\" and "B:\" are passed over by exact, case-sensitive text, without asking the system.
bool IsPassedOver(const std::wstring& root);

}  // namespace qz::drives
