// The program's version as the main window shows it: a caption suffix made from the fixed file version, and the
// "FileVersion" text of the first translation. Both come from the version block of an executable file, read with
// our own reader, so that no version library has to be loaded.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::app {

// What the lookup needs of the platform.
struct VersionCalls {
  // Size in bytes of the version block of the file at the path; 0 when the file has none or cannot be read.
  std::function<std::uint32_t(const std::wstring& path)> infoSize;
  // Fills a buffer of the given size with the block; false when it cannot.
  std::function<bool(const std::wstring& path, std::uint32_t size, std::uint8_t* buffer)> info;
  // The full path of the running program's own executable file.
  std::function<std::wstring()> executablePath;
};

// The packed version that stands for "none".
inline constexpr std::uint32_t kNoPackedVersion = 0xFFFFFFFF;

// What follows the version text in the label along the bottom edge.
inline constexpr const wchar_t* kFullVerPadding = L"      ";

// dwFileVersionMS of the file's fixed information (major number high, minor low), or kNoPackedVersion.
// Raises only EOutOfMemory.
std::uint32_t GetPackedFileVersion(const VersionCalls& calls, const std::wstring& path);

// " v<major>.<minor>". The packed version is kept as a signed 32-bit number, so a value with the top bit set
// (no version, or a major number of 32768 or more) raises ERangeError.
std::wstring VersionSuffix(std::uint32_t packedVersion);

// The version block of the program's executable while GetFullVersion runs, with its size as reported.
struct VersionInfoBuffer {
  std::uint32_t size = 0;
  std::vector<std::uint8_t> data;
};

// "\StringFileInfo\" + language and code page as four upper-case hexadecimal digits each + "\" + key.
std::wstring SubBlockPath(std::uint16_t language, std::uint16_t codePage, std::wstring_view key);

// Reads the program's version block into the buffer; false when a block exists but cannot be read. A program
// without a block succeeds with an empty buffer.
bool LoadVersionInfo(const VersionCalls& calls, VersionInfoBuffer& buffer);

// The text under the key in the string table of the first translation; empty when there is none. A first
// translation with a code page of 0x8000 or above raises ERangeError.
std::wstring QueryVersionValue(const VersionInfoBuffer& buffer, std::wstring_view key);

// The "FileVersion" text of the program's own version block; empty text on every failure. Never raises.
std::wstring GetFullVersion(const VersionCalls& calls);

}  // namespace qz::app
