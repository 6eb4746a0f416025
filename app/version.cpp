#include "app/version.h"

#include <new>

#include "app/version_block.h"
#include "ui/exceptions.h"
#include "ui/number_text.h"

namespace qz::app {

namespace {

constexpr std::size_t kFixedInfoSize = 52;            // sizeof(VS_FIXEDFILEINFO)
constexpr std::size_t kFileVersionMSOffset = 8;       // after dwSignature and dwStrucVersion
constexpr std::size_t kTranslationEntrySize = 4;

std::vector<std::uint8_t> AllocateBlock(std::uint32_t size) {
  try {
    return std::vector<std::uint8_t>(size);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kOutOfMemory);
  }
}

}  // namespace

std::uint32_t GetPackedFileVersion(const VersionCalls& calls, const std::wstring& path) {
  std::uint32_t result = kNoPackedVersion;
  const std::uint32_t size = calls.infoSize(path);
  if (size == 0) return result;
  std::vector<std::uint8_t> buffer = AllocateBlock(size);
  if (calls.info(path, size, buffer.data())) {
    const ByteSpan block(buffer);
    const auto fixed = FindVersionValue(block, L"\\");
    if (fixed && fixed->length >= kFixedInfoSize && fixed->available >= kFixedInfoSize) {
      result = ReadU32(block, fixed->offset + kFileVersionMSOffset);
    }
  }
  return result;
}

std::wstring VersionSuffix(std::uint32_t packedVersion) {
  const std::int32_t version = RangeChecked<std::int32_t>(packedVersion);
  const std::int32_t major = version / 65536;
  const std::int32_t minor = version % 65536;
  return L" v" + DecimalText(static_cast<std::uint32_t>(major)) + L"." + DecimalText(static_cast<std::uint32_t>(minor));
}

std::wstring SubBlockPath(std::uint16_t language, std::uint16_t codePage, std::wstring_view key) {
  std::wstring path = L"\\StringFileInfo\\";
  path += HexText(language, 4);
  path += HexText(codePage, 4);
  path += L'\\';
  path += key;
  return path;
}

bool LoadVersionInfo(const VersionCalls& calls, VersionInfoBuffer& buffer) {
  const std::wstring path = calls.executablePath();
  buffer.size = calls.infoSize(path);
  if (buffer.size == 0) return true;
  buffer.data = AllocateBlock(buffer.size);
  return calls.info(path, buffer.size, buffer.data.data());
}

std::wstring QueryVersionValue(const VersionInfoBuffer& buffer, std::wstring_view key) {
  if (buffer.size == 0) return {};
  const ByteSpan block(buffer.data.data(), buffer.size);
  const auto translation = FindVersionValue(block, L"\\VarFileInfo\\Translation");
  if (!translation || translation->length < kTranslationEntrySize ||
      translation->available < kTranslationEntrySize) {
    return {};
  }
  // The entry is held as a signed number; its code page is taken after a checked conversion to unsigned.
  const auto entry = static_cast<std::int32_t>(ReadU32(block, translation->offset));
  const auto language = static_cast<std::uint16_t>(entry & 0xFFFF);
  const auto codePage = static_cast<std::uint16_t>(RangeChecked<std::uint32_t>(entry) >> 16);
  const auto value = FindVersionValue(block, SubBlockPath(language, codePage, key));
  return value ? VersionText(block, *value) : std::wstring{};
}

std::wstring GetFullVersion(const VersionCalls& calls) {
  // Whatever goes wrong, the label just shows no version text.
  try {
    VersionInfoBuffer buffer;
    if (!LoadVersionInfo(calls, buffer)) return {};
    return QueryVersionValue(buffer, L"FileVersion");
  } catch (...) {
    return {};
  }
}

}  // namespace qz::app
