// Our reader of version blocks against the system's version library: the same blocks must give the same answers,
// and the blocks read out of real executables must be the ones the system reads. Only this test loads version.dll.
#include <windows.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/version.h"
#include "app/version_block.h"
#include "app/version_win.h"
#include "tests/unit/test_version_blocks.h"

namespace qz::app {
namespace {

using testing::Bytes;
using testing::kRussian1251;
using testing::Root;
using testing::Serialize;
using testing::StringFileInfo;
using testing::VarFileInfo;
using testing::VersionBlock;

// A Linux path of the build tree as Wine's Z: drive shows it.
std::wstring WinePath(const char* linuxPath) {
  std::wstring path = L"Z:";
  for (const char* p = linuxPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path;
}

struct SystemAnswer {
  bool found = false;
  std::size_t offset = 0;
  UINT length = 0;
};

SystemAnswer AskSystem(const Bytes& block, const std::wstring& path) {
  void* value = nullptr;
  UINT length = 0;
  SystemAnswer a;
  a.found = ::VerQueryValueW(block.data(), path.c_str(), &value, &length) != 0;
  if (a.found) {
    a.offset = static_cast<std::size_t>(static_cast<const std::uint8_t*>(value) - block.data());
    a.length = length;
  }
  return a;
}

std::vector<std::pair<const char*, Bytes>> Blocks() {
  auto textBeforeChildren = testing::ProgramVersionNode();
  textBeforeChildren.children[0].value = testing::Utf16z(u"abc");
  return {
      {"this program", Serialize(testing::ProgramVersionNode())},
      {"4.5, English Unicode", VersionBlock(0x00040005, {0x04B00409}, u"4.5.1.2", u"040904B0")},
      {"two translations",
       Serialize(Root(0x00040010, 0,
                      {StringFileInfo({{u"041904E3", {{u"FileVersion", u"ru"}}}, {u"040904B0", {{u"FileVersion", u"en"}}}}),
                       VarFileInfo({0x04B00409, kRussian1251})}))},
      {"code page 65001", VersionBlock(0x00040010, {0xFDE90409}, u"4.16.0.0", u"0409FDE9")},
      {"empty translation table", VersionBlock(0x00040010, {}, u"4.16.0.0")},
      {"no translation table",
       Serialize(Root(0x00040010, 0, {StringFileInfo({{u"041904E3", {{u"FileVersion", u"4.16.0.0"}}}})}))},
      {"no string table", Serialize(Root(0x00040010, 0, {VarFileInfo({kRussian1251})}))},
      {"lower-case table name", VersionBlock(0x00040010, {kRussian1251}, u"4.16.0.0", u"041904e3")},
      {"text value before children", Serialize(textBeforeChildren)},
  };
}

TEST(VersionAgainstSystem, SameValuesFromTheSameBlocks) {
  const wchar_t* paths[] = {L"\\",
                            L"",
                            L"\\VarFileInfo\\Translation",
                            L"\\varfileinfo\\TRANSLATION",
                            L"\\StringFileInfo\\041904E3\\FileVersion",
                            L"\\StringFileInfo\\041904E3\\ProductVersion",
                            L"\\StringFileInfo\\041904E3\\Comments",
                            L"\\StringFileInfo\\040904B0\\FileVersion",
                            L"\\StringFileInfo\\0409FDE9\\FileVersion",
                            L"\\StringFileInfo\\041904e3\\fileversion",
                            L"\\\\StringFileInfo\\\\041904E3\\FileVersion\\",
                            L"\\StringFileInfo\\041904E3\\FileVersio",
                            L"\\StringFileInfo\\041904E3\\FileVersionX",
                            L"\\StringFileInfo",
                            L"\\VarFileInfo\\Translation\\More",
                            L"\\Nothing"};
  for (const auto& [what, block] : Blocks()) {
    for (const wchar_t* path : paths) {
      SCOPED_TRACE(std::string(what) + " / " + std::string(path, path + std::wcslen(path)));
      const SystemAnswer system = AskSystem(block, path);
      const auto ours = FindVersionValue(ByteSpan(block), path);
      ASSERT_EQ(ours.has_value(), system.found);
      if (!ours) continue;
      EXPECT_EQ(ours->offset, system.offset);
      EXPECT_EQ(ours->length, system.length);
      if (ours->text) {
        const auto* systemText = reinterpret_cast<const wchar_t*>(block.data() + system.offset);
        EXPECT_EQ(VersionText(ByteSpan(block), *ours), std::wstring(systemText));
      }
    }
  }
}

// The version the system library finds in a file: the packed fixed version and the first translation's text.
struct SystemVersion {
  std::uint32_t packed = kNoPackedVersion;
  std::wstring fullVersion;
};

SystemVersion SystemVersionOf(const std::wstring& path) {
  SystemVersion v;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return v;
  std::vector<std::uint8_t> buffer(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, buffer.data())) return v;
  void* value = nullptr;
  UINT length = 0;
  if (::VerQueryValueW(buffer.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    v.packed = static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionMS;
  }
  if (::VerQueryValueW(buffer.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
    const DWORD t = *static_cast<const DWORD*>(value);
    const std::wstring sub =
        SubBlockPath(static_cast<std::uint16_t>(t & 0xFFFF), static_cast<std::uint16_t>(t >> 16), L"FileVersion");
    if (::VerQueryValueW(buffer.data(), sub.c_str(), &value, &length)) v.fullVersion = static_cast<const wchar_t*>(value);
  }
  return v;
}

// Our calls with the executable path pointed at a file of the build tree.
VersionCalls CallsFor(const std::wstring& path) {
  VersionCalls calls = SystemVersionCalls();
  calls.executablePath = [path] { return path; };
  return calls;
}

TEST(VersionAgainstSystem, RealExecutablesReadAsTheSystemReadsThem) {
  const std::wstring files[] = {ExecutablePath(), WinePath(QZ_LOADER_EXE), WinePath(QZ_LOADER_NO_VERSION_EXE),
                                L"C:\\does\\not\\exist.exe"};
  for (const auto& path : files) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    const SystemVersion system = SystemVersionOf(path);
    EXPECT_EQ(GetPackedFileVersion(path), system.packed);
    EXPECT_EQ(GetFullVersion(CallsFor(path)), system.fullVersion);
  }
  // The two builds of the program, as the window will show them.
  EXPECT_EQ(GetPackedFileVersion(WinePath(QZ_LOADER_EXE)), 0x00040010u);
  EXPECT_EQ(GetFullVersion(CallsFor(WinePath(QZ_LOADER_EXE))), L"4.16.0.0");
  EXPECT_EQ(GetPackedFileVersion(WinePath(QZ_LOADER_NO_VERSION_EXE)), kNoPackedVersion);
  EXPECT_EQ(GetFullVersion(CallsFor(WinePath(QZ_LOADER_NO_VERSION_EXE))), L"");
}

TEST(VersionAgainstSystem, TheResourceCompilersBlockIsTheFixtureWritersBlock) {
  // This test program carries resources/version.rc; the fixture writer must lay the block out the same way.
  const VersionCalls calls = SystemVersionCalls();
  const std::wstring self = calls.executablePath();
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(::GetModuleFileNameW(nullptr, system, MAX_PATH), 0u);
  EXPECT_EQ(self, system);
  const std::uint32_t size = calls.infoSize(self);
  ASSERT_GT(size, 0u);
  Bytes block(size);
  ASSERT_TRUE(calls.info(self, size, block.data()));
  EXPECT_EQ(block, Serialize(testing::ProgramVersionNode()));
  EXPECT_EQ(GetFullVersion(), L"4.16.0.0");
  EXPECT_EQ(VersionSuffix(GetPackedFileVersion(self)), L" v4.16");
}

}  // namespace
}  // namespace qz::app
