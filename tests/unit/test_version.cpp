// The version shown in the caption and in the bottom label, read from version blocks built by the fixture writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "app/version.h"
#include "app/version_block.h"
#include "tests/unit/test_version_blocks.h"
#include "ui/exceptions.h"

namespace qz::app {
namespace {

using testing::Bytes;
using testing::kRussian1251;
using testing::VersionBlock;

constexpr const wchar_t* kExe = L"C:\\app\\QZLoader.exe";

// A file system holding one executable with the given version block.
struct FakeFile {
  Bytes block;
  bool hasBlock = true;
  bool readable = true;
  std::vector<std::wstring> sizeAsked;
  std::vector<std::pair<std::wstring, std::uint32_t>> readAsked;

  VersionCalls Calls() {
    return VersionCalls{
        [this](const std::wstring& path) -> std::uint32_t {
          sizeAsked.push_back(path);
          return hasBlock ? static_cast<std::uint32_t>(block.size()) : 0;
        },
        [this](const std::wstring& path, std::uint32_t size, std::uint8_t* buffer) {
          readAsked.emplace_back(path, size);
          if (!readable) return false;
          std::copy_n(block.begin(), std::min<std::size_t>(size, block.size()), buffer);
          return true;
        },
        [] { return std::wstring(kExe); }};
  }
};

// What the window would show: the caption suffix (nothing when it raises) and the label's text.
struct Shown {
  std::optional<std::wstring> suffix;
  std::wstring fullVersion;
};

Shown Show(const Bytes& block) {
  FakeFile file{block};
  Shown shown;
  try {
    shown.suffix = VersionSuffix(GetPackedFileVersion(file.Calls(), kExe));
  } catch (const ERangeError& e) {
    EXPECT_EQ(e.Message(), L"Range check error");
  }
  shown.fullVersion = GetFullVersion(file.Calls());
  return shown;
}

struct Case {
  const char* what;
  Bytes block;
  std::optional<std::wstring> suffix;
  std::wstring fullVersion;
};

TEST(Version, CaptionSuffixAndLabelTextEachFromItsOwnSource) {
  using testing::Root;
  using testing::Serialize;
  using testing::StringFileInfo;
  using testing::VarFileInfo;
  const Case cases[] = {
      {"this program's block", Serialize(testing::ProgramVersionNode()), L" v4.16", L"4.16.0.0"},
      {"4.5", VersionBlock(0x00040005, {kRussian1251}, u"4.5.1.2"), L" v4.5", L"4.5.1.2"},
      {"10.0", VersionBlock(0x000A0000, {kRussian1251}, u"10.0.3.4"), L" v10.0", L"10.0.3.4"},
      {"largest major shown", VersionBlock(0x7FFFFFFF, {kRussian1251}, u"x"), L" v32767.65535", L"x"},
      {"major 32768 raises", VersionBlock(0x80000000, {kRussian1251}, u"32768.0"), std::nullopt, L"32768.0"},
      {"fixed and text differ", VersionBlock(0x00040010, {kRussian1251}, u"4.17.0.1"), L" v4.16", L"4.17.0.1"},
      {"English, Unicode table", VersionBlock(0x00040010, {0x04B00409}, u"4.16-en", u"040904B0"), L" v4.16",
       L"4.16-en"},
      {"only the first translation is consulted",
       VersionBlock(0x00040010, {0x04B00409, kRussian1251}, u"4.16.0.0", u"041904E3"), L" v4.16", L""},
      {"code page 65001 gives no text, the suffix still shows",
       VersionBlock(0x00040010, {0xFDE90409}, u"4.16.0.0", u"0409FDE9"), L" v4.16", L""},
      {"no translation table",
       Serialize(Root(0x00040010, 0, {StringFileInfo({{u"041904E3", {{u"FileVersion", u"4.16.0.0"}}}})})), L" v4.16",
       L""},
      {"empty translation table", VersionBlock(0x00040010, {}, u"4.16.0.0"), L" v4.16", L""},
      {"no string table", Serialize(Root(0x00040010, 0, {VarFileInfo({kRussian1251})})), L" v4.16", L""},
      {"no FileVersion in the table",
       Serialize(Root(0x00040010, 0,
                      {StringFileInfo({{u"041904E3", {{u"ProductVersion", u"4.16.0.0"}}}}), VarFileInfo({kRussian1251})})),
       L" v4.16", L""},
      {"translation shorter than one entry",
       [] {
         auto root = testing::ProgramVersionNode();
         root.children[1].children[0].valueLength = 2;  // the four bytes are there, the length says two
         return Serialize(root);
       }(),
       L" v4.16", L""},
      {"a text value before a node's children",
       [] {
         auto root = testing::ProgramVersionNode();
         root.children[0].value = testing::Utf16z(u"abc");
         return Serialize(root);
       }(),
       L" v4.16", L"4.16.0.0"},
      {"no fixed information",
       [] {
         auto root = testing::ProgramVersionNode();
         root.value.clear();
         return Serialize(root);
       }(),
       std::nullopt, L"4.16.0.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Shown shown = Show(c.block);
    EXPECT_EQ(shown.suffix, c.suffix);
    EXPECT_EQ(shown.fullVersion, c.fullVersion);
  }
}

TEST(Version, FirstTranslationPicksItsTableAmongSeveral) {
  using namespace testing;
  const Bytes block = Serialize(Root(0x00040010, 0,
                                     {StringFileInfo({{u"041904E3", {{u"FileVersion", u"ru"}}},
                                                      {u"040904B0", {{u"FileVersion", u"en"}}}}),
                                      VarFileInfo({0x04B00409, kRussian1251})}));
  EXPECT_EQ(Show(block).fullVersion, L"en");
}

TEST(Version, SubBlockPathHasFourUpperCaseDigitsEach) {
  EXPECT_EQ(SubBlockPath(0x0419, 0x04E3, L"FileVersion"), L"\\StringFileInfo\\041904E3\\FileVersion");
  EXPECT_EQ(SubBlockPath(0x0409, 0x04B0, L"FileVersion"), L"\\StringFileInfo\\040904B0\\FileVersion");
  EXPECT_EQ(SubBlockPath(0x0, 0xFDE9, L"K"), L"\\StringFileInfo\\0000FDE9\\K");
}

TEST(Version, NoBlockRaisesForTheCaptionAndGivesNoText) {
  FakeFile file{Serialize(testing::ProgramVersionNode()), /*hasBlock=*/false};
  EXPECT_EQ(GetPackedFileVersion(file.Calls(), kExe), kNoPackedVersion);
  EXPECT_THROW(VersionSuffix(kNoPackedVersion), ERangeError);
  EXPECT_EQ(GetFullVersion(file.Calls()), L"");
  EXPECT_TRUE(file.readAsked.empty());  // nothing to read when the size is 0
}

TEST(Version, UnreadableBlockGivesNoVersion) {
  FakeFile file{Serialize(testing::ProgramVersionNode())};
  file.readable = false;
  EXPECT_EQ(GetPackedFileVersion(file.Calls(), kExe), kNoPackedVersion);
  VersionInfoBuffer buffer;
  EXPECT_FALSE(LoadVersionInfo(file.Calls(), buffer));
  EXPECT_EQ(GetFullVersion(file.Calls()), L"");
}

TEST(Version, TheProgramsOwnFileIsReadWithTheReportedSize) {
  FakeFile file{Serialize(testing::ProgramVersionNode())};
  EXPECT_EQ(GetFullVersion(file.Calls()), L"4.16.0.0");
  ASSERT_EQ(file.sizeAsked, std::vector<std::wstring>{kExe});
  ASSERT_EQ(file.readAsked.size(), 1u);
  EXPECT_EQ(file.readAsked[0].first, kExe);
  EXPECT_EQ(file.readAsked[0].second, file.block.size());
}

TEST(Version, HighCodePageRaisesInsideTheLookupOnly) {
  FakeFile file{VersionBlock(0x00040010, {0x80000419}, u"4.16.0.0", u"04198000")};
  VersionInfoBuffer buffer;
  ASSERT_TRUE(LoadVersionInfo(file.Calls(), buffer));
  EXPECT_THROW(QueryVersionValue(buffer, L"FileVersion"), ERangeError);
  EXPECT_EQ(GetFullVersion(file.Calls()), L"");
  // Code page 0x7FFF is still taken.
  file.block = VersionBlock(0x00040010, {0x7FFF0419}, u"4.16.0.0", u"04197FFF");
  EXPECT_EQ(GetFullVersion(file.Calls()), L"4.16.0.0");
}

// The reader on the compiler-made layout: where the values sit, keys in any case, empty path components.
TEST(VersionBlockReader, FindsValuesWhereTheFormatPutsThem) {
  const Bytes block = Serialize(testing::ProgramVersionNode());
  const ByteSpan span(block);
  const auto fixed = FindVersionValue(span, L"\\");
  ASSERT_TRUE(fixed);
  EXPECT_EQ(fixed->offset, 40u);
  EXPECT_EQ(fixed->length, 52u);
  EXPECT_FALSE(fixed->text);
  EXPECT_EQ(ReadU32(span, fixed->offset), 0xFEEF04BDu);
  const auto translation = FindVersionValue(span, L"\\varfileinfo\\TRANSLATION");
  ASSERT_TRUE(translation);
  EXPECT_EQ(translation->length, 4u);
  EXPECT_EQ(translation->offset + 4, block.size());
  EXPECT_EQ(ReadU32(span, translation->offset), kRussian1251);
  const auto text = FindVersionValue(span, L"StringFileInfo\\\\041904e3\\ProductVersion\\");
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->text);
  EXPECT_EQ(text->length, 9u);
  EXPECT_EQ(VersionText(span, *text), L"4.16.0.0");
  const auto empty = FindVersionValue(span, L"\\StringFileInfo\\041904E3\\Comments");
  ASSERT_TRUE(empty);
  EXPECT_EQ(VersionText(span, *empty), L"");
  EXPECT_FALSE(FindVersionValue(span, L"\\StringFileInfo\\041904E3\\FileVersio"));
  EXPECT_FALSE(FindVersionValue(span, L"\\StringFileInfo\\041904E3\\FileVersionX"));
  EXPECT_FALSE(FindVersionValue(span, L"\\VarFileInfo\\Translation\\More"));
}

// A damaged block is read within its bytes: the sanitizers stop any read beyond, and a text can only come from
// inside the block.
void ExpectHarmless(const Bytes& block) {
  const Shown shown = Show(block);
  EXPECT_LE(shown.fullVersion.size() * 2, block.size());
}

TEST(VersionBlockReader, EveryTruncationIsReadWithinItsBytes) {
  const Bytes whole = Serialize(testing::ProgramVersionNode());
  // The fixed information ends at byte 92; the translation, the last value, at the block's end.
  for (std::size_t n = 0; n < whole.size(); ++n) {
    SCOPED_TRACE(n);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    const Shown shown = Show(cut);
    EXPECT_EQ(shown.suffix, n >= 92 ? std::optional<std::wstring>(L" v4.16") : std::nullopt);
    EXPECT_EQ(shown.fullVersion, L"");
  }
}

TEST(VersionBlockReader, DamagedBytesAnywhereStayInsideTheBlock) {
  const Bytes whole = Serialize(testing::ProgramVersionNode());
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (const std::uint8_t v : std::array<std::uint8_t, 5>{0x00, 0x01, 0x7F, 0x80, 0xFF}) {
      Bytes damaged = whole;
      damaged[at] = v;
      ExpectHarmless(damaged);
    }
  }
}

TEST(VersionBlockReader, LengthsThatLieGiveNothingOrStayInside) {
  using namespace testing;
  auto patchU16 = [](Bytes b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
    return b;
  };
  const Bytes whole = Serialize(ProgramVersionNode());
  const std::size_t stringFileInfo = 92;  // the root's first child

  // A child of length 0 ends the search instead of looping on the spot.
  EXPECT_EQ(Show(patchU16(whole, stringFileInfo, 0)).fullVersion, L"");
  // Lengths far beyond the block: still read, but never past its end.
  EXPECT_EQ(Show(patchU16(whole, 0, 0xFFFF)).fullVersion, L"4.16.0.0");
  EXPECT_EQ(Show(patchU16(whole, stringFileInfo, 0xFFFF)).fullVersion, L"");

  // A text value that claims more characters than its node holds is cut at the node's end.
  VersionNode root = Root(0x00040010, 0, {StringFileInfo({{u"041904E3", {{u"FileVersion", u"4.16"}}}}),
                                          VarFileInfo({kRussian1251})});
  root.children[0].children[0].children[0].value.resize(8);  // "4.16" without its NUL
  root.children[0].children[0].children[0].valueLength = 0xFFFF;
  EXPECT_EQ(Show(Serialize(root)).fullVersion, L"4.16");

  // A key without its NUL before the node ends.
  const Bytes keyOnly{10, 0, 0, 0, 0, 0, 'V', 0, 'S', 0};
  EXPECT_FALSE(FindVersionValue(ByteSpan(keyOnly), L"\\"));
  EXPECT_FALSE(FindVersionValue(ByteSpan(Bytes{10, 0, 0, 0, 0, 0, 'V', 0, 'S', 0, 0, 0}), L"\\"));  // NUL past the end
  EXPECT_TRUE(FindVersionValue(ByteSpan(Bytes{12, 0, 0, 0, 0, 0, 'V', 0, 'S', 0, 0, 0}), L"\\"));

  // Odd and tiny sizes.
  for (std::size_t n : {1u, 5u, 6u, 7u, 93u, 95u}) {
    Bytes odd = whole;
    odd.resize(n);
    ExpectHarmless(odd);
  }
}

}  // namespace
}  // namespace qz::app
