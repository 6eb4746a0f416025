#include "app/version_block.h"

#include <algorithm>

namespace qz::app {

namespace {

constexpr std::size_t kHeaderSize = 6;

std::uint16_t ReadU16(ByteSpan block, std::size_t offset) {
  return static_cast<std::uint16_t>(block[offset] | (block[offset + 1] << 8));
}

// Offsets within a node are aligned relative to the node's start, as the format's writers and readers do.
std::size_t AlignFrom(std::size_t base, std::size_t offset) { return base + ((offset - base + 3) & ~std::size_t{3}); }

struct Node {
  std::size_t start;
  std::size_t end;  // one past the node's last byte, clipped to the parent (or to the block for the root)
  std::size_t keyStart;
  std::size_t keyChars;  // without the NUL
  std::uint16_t valueLength;
  bool text;
  std::size_t valueStart;
  std::size_t childrenStart;
};

// The node at start, which must end by limit. A node too short for its header or without a NUL after its key is
// malformed. A node that claims to reach beyond its parent is read only up to the parent's end.
std::optional<Node> ParseNode(ByteSpan block, std::size_t start, std::size_t limit) {
  if (start > limit || limit - start < kHeaderSize) return std::nullopt;
  const std::uint16_t length = ReadU16(block, start);
  if (length < kHeaderSize) return std::nullopt;
  Node n{};
  n.start = start;
  n.end = std::min(start + length, limit);
  n.valueLength = ReadU16(block, start + 2);
  n.text = ReadU16(block, start + 4) != 0;
  n.keyStart = start + kHeaderSize;
  std::size_t at = n.keyStart;
  while (true) {
    if (n.end - at < 2) return std::nullopt;
    if (ReadU16(block, at) == 0) break;
    at += 2;
  }
  n.keyChars = (at - n.keyStart) / 2;
  n.valueStart = AlignFrom(start, at + 2);
  const std::size_t valueBytes = std::size_t{n.valueLength} * (n.text ? 2 : 1);
  n.childrenStart = AlignFrom(start, n.valueStart + valueBytes);
  return n;
}

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool KeyIs(ByteSpan block, const Node& n, std::wstring_view key) {
  if (n.keyChars != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (AsciiLower(static_cast<wchar_t>(ReadU16(block, n.keyStart + 2 * i))) != AsciiLower(key[i])) return false;
  }
  return true;
}

std::optional<Node> FindChild(ByteSpan block, const Node& parent, std::wstring_view key) {
  std::size_t at = parent.childrenStart;
  while (at < parent.end) {
    const auto child = ParseNode(block, at, parent.end);
    if (!child) return std::nullopt;
    if (KeyIs(block, *child, key)) return child;
    at = AlignFrom(at, at + ReadU16(block, at));
  }
  return std::nullopt;
}

}  // namespace

std::optional<VersionValue> FindVersionValue(ByteSpan block, std::wstring_view path) {
  auto node = ParseNode(block, 0, block.size());
  while (node && !path.empty()) {
    const std::size_t slash = path.find(L'\\');
    const std::wstring_view key = path.substr(0, slash);
    path = slash == std::wstring_view::npos ? std::wstring_view{} : path.substr(slash + 1);
    if (!key.empty()) node = FindChild(block, *node, key);
  }
  if (!node) return std::nullopt;
  const std::size_t available = node->valueStart < node->end ? node->end - node->valueStart : 0;
  return VersionValue{node->valueStart, node->valueLength, node->text, available};
}

std::wstring VersionText(ByteSpan block, const VersionValue& value) {
  std::wstring text;
  for (std::size_t at = value.offset; at + 2 <= value.offset + value.available; at += 2) {
    const std::uint16_t c = ReadU16(block, at);
    if (c == 0) break;
    text.push_back(static_cast<wchar_t>(c));
  }
  return text;
}

std::uint32_t ReadU32(ByteSpan block, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadU16(block, offset)) |
         (static_cast<std::uint32_t>(ReadU16(block, offset + 2)) << 16);
}

}  // namespace qz::app
