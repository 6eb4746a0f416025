// A reader of the wide version-resource block (VS_VERSIONINFO): a tree of nodes, each a header of three 16-bit
// words (wLength, wValueLength, wType), a NUL-terminated UTF-16 key, padding to 32 bits, the value, padding to 32 bits
// and the children. All numbers are little-endian. Whatever the bytes hold, nothing outside the block is ever read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qz::app {

using ByteSpan = std::span<const std::uint8_t>;

// A value found in a block.
struct VersionValue {
  std::size_t offset;     // where the value starts, counted from the start of the block
  std::uint16_t length;   // wValueLength as stored: characters for text, bytes for binary values
  bool text;              // wType
  std::size_t available;  // bytes from the value's start to the end of its node, within the block
};

// Looks up a sub-block path such as "\", "\VarFileInfo\Translation" or "\StringFileInfo\041904E3\FileVersion".
// Empty components are skipped, so "\" (or "") names the root's value, the fixed file information. Keys compare
// without regard to the case of ASCII letters, as the system does. Nothing when the path does not exist or a node
// on the way is malformed.
std::optional<VersionValue> FindVersionValue(ByteSpan block, std::wstring_view path);

// The text of a value, up to its terminating NUL or to the end of its node, whichever comes first.
std::wstring VersionText(ByteSpan block, const VersionValue& value);

// A little-endian 32-bit number of the block; the caller has made sure that the four bytes lie within it.
std::uint32_t ReadU32(ByteSpan block, std::size_t offset);

}  // namespace qz::app
