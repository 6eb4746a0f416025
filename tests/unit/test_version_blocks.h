// A small writer of version blocks in the wide resource format, laid out byte for byte as the resource compiler
// lays them out, for the tests of the version lookup (native, under Wine and in the fuzz corpus).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qz::testing {

using Bytes = std::vector<std::uint8_t>;

struct VersionNode {
  std::u16string key;
  bool text = false;
  Bytes value;                               // as stored; text values include their NUL
  std::optional<std::uint16_t> valueLength;  // what wValueLength claims, when not the truth
  std::vector<VersionNode> children;
};

inline void PutU16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutU32(Bytes& out, std::uint32_t v) {
  PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  PutU16(out, static_cast<std::uint16_t>(v >> 16));
}
inline void PadTo4(Bytes& out, std::size_t base) {
  while ((out.size() - base) % 4 != 0) out.push_back(0);
}

// A node's wLength counts its header, key, value and children, but not the padding after its last part.
inline void WriteNode(Bytes& out, const VersionNode& n) {
  const std::size_t start = out.size();
  PutU16(out, 0);  // wLength, filled in below
  const std::size_t trueLength = n.text ? n.value.size() / 2 : n.value.size();
  PutU16(out, n.valueLength.value_or(static_cast<std::uint16_t>(trueLength)));
  PutU16(out, n.text ? 1 : 0);
  for (char16_t c : n.key) PutU16(out, static_cast<std::uint16_t>(c));
  PutU16(out, 0);
  PadTo4(out, start);
  out.insert(out.end(), n.value.begin(), n.value.end());
  for (const auto& child : n.children) {
    PadTo4(out, start);
    WriteNode(out, child);
  }
  const auto length = static_cast<std::uint16_t>(out.size() - start);
  out[start] = static_cast<std::uint8_t>(length & 0xFF);
  out[start + 1] = static_cast<std::uint8_t>(length >> 8);
}

inline Bytes Serialize(const VersionNode& root) {
  Bytes out;
  WriteNode(out, root);
  return out;
}

inline Bytes Utf16z(const std::u16string& s) {
  Bytes b;
  for (char16_t c : s) PutU16(b, static_cast<std::uint16_t>(c));
  PutU16(b, 0);
  return b;
}

inline VersionNode Text(std::u16string key, const std::u16string& value) {
  return VersionNode{std::move(key), true, Utf16z(value), std::nullopt, {}};
}

struct StringTable {
  std::u16string name;  // language and code page in hexadecimal, e.g. u"041904E3"
  std::vector<std::pair<std::u16string, std::u16string>> values;
};

inline VersionNode StringFileInfo(const std::vector<StringTable>& tables) {
  VersionNode info{u"StringFileInfo", true, {}, std::nullopt, {}};
  for (const auto& t : tables) {
    VersionNode table{t.name, true, {}, std::nullopt, {}};
    for (const auto& [key, value] : t.values) table.children.push_back(Text(key, value));
    info.children.push_back(std::move(table));
  }
  return info;
}

// Entries as the system reads them: language in the low 16 bits, code page in the high 16 bits.
inline VersionNode VarFileInfo(const std::vector<std::uint32_t>& translations) {
  VersionNode translation{u"Translation", false, {}, std::nullopt, {}};
  for (std::uint32_t t : translations) PutU32(translation.value, t);
  return VersionNode{u"VarFileInfo", true, {}, std::nullopt, {translation}};
}

inline Bytes FixedInfo(std::uint32_t fileMS, std::uint32_t fileLS) {
  Bytes b;
  for (std::uint32_t v : {0xFEEF04BDu, 0x00010000u, fileMS, fileLS, fileMS, fileLS, 0x3Fu, 0u, 0x4u, 0x1u, 0u, 0u, 0u})
    PutU32(b, v);
  return b;
}

inline VersionNode Root(std::uint32_t fileMS, std::uint32_t fileLS, std::vector<VersionNode> children) {
  return VersionNode{u"VS_VERSION_INFO", false, FixedInfo(fileMS, fileLS), std::nullopt, std::move(children)};
}

constexpr std::uint32_t kRussian1251 = 0x04E30419;

// The block of resources/version.rc.
inline VersionNode ProgramVersionNode() {
  return Root(0x00040010, 0,
              {StringFileInfo({{u"041904E3",
                                {{u"CompanyName", u""},
                                 {u"FileDescription", u""},
                                 {u"FileVersion", u"4.16.0.0"},
                                 {u"InternalName", u""},
                                 {u"LegalCopyright", u""},
                                 {u"LegalTrademarks", u""},
                                 {u"OriginalFilename", u""},
                                 {u"ProductName", u""},
                                 {u"ProductVersion", u"4.16.0.0"},
                                 {u"Comments", u""}}}}),
               VarFileInfo({kRussian1251})});
}

// A block with one string table, named after the first translation unless a name is given.
inline Bytes VersionBlock(std::uint32_t fileMS, std::vector<std::uint32_t> translations, std::u16string fileVersion,
                          std::u16string tableName = u"041904E3") {
  return Serialize(Root(fileMS, 0,
                        {StringFileInfo({{std::move(tableName), {{u"FileVersion", std::move(fileVersion)}}}}),
                         VarFileInfo(translations)}));
}

}  // namespace qz::testing
