// The payload layer against the real system: resources found by name, files written next to the executable with
// no sharing, and the read-back check of a written file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "payload/win_payload.h"
#include "payload/win_writer_files.h"
#include "ui/exceptions.h"

namespace qz::payload {
namespace {

using Bytes = std::vector<std::byte>;

std::wstring WinePath(const char* linuxPath) {
  std::wstring path = L"Z:";
  for (const char* p = linuxPath; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path;
}

Bytes ReadAll(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  const std::vector<char> chars{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Bytes bytes(chars.size());
  for (size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
  return bytes;
}

void WriteAll(const std::wstring& path, const Bytes& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Bytes AsBytes(PayloadView view) { return Bytes(view.begin(), view.end()); }

// A folder of its own under the system's temporary folder, removed with what it holds.
class TempFolder {
public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"qz-payload-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const auto& name : created_) ::DeleteFileW((path_ + name).c_str());
    ::RemoveDirectoryW(path_.c_str());
  }
  std::wstring File(const std::wstring& name) {
    created_.push_back(name);
    return path_ + name;
  }
  const std::wstring& Path() const { return path_; }

private:
  std::wstring path_;
  std::vector<std::wstring> created_;
};

TEST(PayloadWin, FoundByMixedCaseNameAsAViewOfTheLoadedImage) {
  const Bytes expected = ReadAll(WinePath(QZ_TEST_PAYLOAD));
  ASSERT_GT(expected.size(), 0u);
  for (const wchar_t* name : {L"TestData", L"testdata", L"TESTDATA"}) {
    const PayloadView view = OpenPayload(name);
    EXPECT_EQ(AsBytes(view), expected) << name;
    // Inside the executable's mapped image, not a copy of its own.
    const auto* base = reinterpret_cast<const std::byte*>(::GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_GE(view.data(), base);
    EXPECT_LE(view.data() + view.size(), base + nt->OptionalHeader.SizeOfImage);
  }
  EXPECT_EQ(OpenPayload(L"EmptyData").size(), 0u);
}

TEST(PayloadWin, MissingPayloadNamesItAsAsked) {
  for (const wchar_t* name : {L"Firmware", L"Changes", L"NoSuchThing"}) {
    try {
      OpenPayload(name);
      ADD_FAILURE() << "found " << name;
    } catch (const EResNotFound& e) {
      EXPECT_EQ(e.Message(), L"Resource " + std::wstring(name) + L" not found");
    }
  }
}

// Whatever was there before, and whatever its size, the file ends up holding exactly the payload.
TEST(PayloadWin, WriteReplacesWhateverWasThere) {
  TempFolder folder;
  const PayloadView data = OpenPayload(L"TestData");
  const PayloadView empty = OpenPayload(L"EmptyData");
  struct Case {
    const char* name;
    Bytes old;  // empty: no file before
    PayloadView payload;
  };
  const Case cases[] = {
      {"new file", {}, data},
      {"longer old file", Bytes(data.size() + 70000, std::byte{0xEE}), data},
      {"zero bytes over an old file", Bytes(100, std::byte{0xEE}), empty},
      {"zero bytes, new file", {}, empty},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring path = folder.File(L"case" + std::to_wstring(i++) + L".dat");
    if (!c.old.empty()) WriteAll(path, c.old);
    WritePayloadToFile(c.payload, path);
    ASSERT_TRUE(Exists(path));
    EXPECT_EQ(ReadAll(path), AsBytes(c.payload));
  }
}

TEST(PayloadWin, FileHeldOpenWithoutSharingKeepsItsContent) {
  TempFolder folder;
  const std::wstring path = folder.File(L"QZ1769_m.dat");
  const Bytes old(5000, std::byte{0x42});
  WriteAll(path, old);
  {
    const HANDLE holder = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    try {
      WritePayloadToFile(OpenPayload(L"TestData"), path);
      ADD_FAILURE() << "written although held";
    } catch (const EFCreateError& e) {
      const std::wstring start = L"Cannot create file \"" + path + L"\". ";
      EXPECT_EQ(e.Message(), start + SystemErrorText(ERROR_SHARING_VIOLATION));
      const std::wstring reason = e.Message().substr(std::min(start.size(), e.Message().size()));
      EXPECT_FALSE(reason.empty());
      EXPECT_TRUE(reason.back() != L'.' && reason.back() > L' ') << reason;
    }
    ::CloseHandle(holder);
  }
  EXPECT_EQ(ReadAll(path), old);
}

TEST(PayloadWin, FolderThatDoesNotExistGivesCreateError) {
  TempFolder folder;
  const std::wstring path = folder.Path() + L"no such folder\\QZ1769_m.dat";
  try {
    WritePayloadToFile(OpenPayload(L"TestData"), path);
    ADD_FAILURE() << "written into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), L"Cannot create file \"" + path + L"\". " + SystemErrorText(ERROR_PATH_NOT_FOUND));
  }
}

TEST(PayloadWin, ExtractionLandsInTheProgramFolderWhateverTheCurrentDirectory) {
  TempFolder elsewhere;
  wchar_t module[MAX_PATH + 1] = {};
  ::GetModuleFileNameW(nullptr, module, MAX_PATH);
  const std::wstring exe = module;
  const std::wstring expectedFolder = exe.substr(0, exe.find_last_of(L'\\') + 1);

  wchar_t before[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere.Path().c_str()));
  const std::wstring name = L"qz-extract-" + std::to_wstring(::GetCurrentProcessId()) + L".dat";
  const std::wstring path = ProgramFilePath(name);
  WritePayloadToFile(OpenPayload(L"TestData"), path);
  const bool inCurrent = Exists(elsewhere.Path() + name);
  ::SetCurrentDirectoryW(before);

  EXPECT_EQ(ProgramFolder(), expectedFolder);
  EXPECT_EQ(path, expectedFolder + name);
  EXPECT_FALSE(inCurrent);
  EXPECT_EQ(ReadAll(path), AsBytes(OpenPayload(L"TestData")));
  ::DeleteFileW(path.c_str());
}

// The read-back check compares every byte and the length; the payload spans several reads.
TEST(PayloadWin, ReadBackFindsAnyDifference) {
  TempFolder folder;
  const PayloadView data = OpenPayload(L"TestData");
  ASSERT_GT(data.size(), 3u * 64 * 1024) << "the sample must span several reads";
  const Bytes exact = AsBytes(data);
  Bytes lastByte = exact;
  lastByte.back() ^= std::byte{1};
  Bytes inSecondRead = exact;
  inSecondRead[64 * 1024 + 17] ^= std::byte{0x80};
  const Bytes shorter(exact.begin(), exact.end() - 1);
  Bytes longer = exact;
  longer.push_back(std::byte{0});
  struct Case {
    const char* name;
    Bytes onDisk;
    PayloadView expected;
    bool equal;
  };
  const Case cases[] = {
      {"same bytes", exact, data, true},
      {"last byte differs", lastByte, data, false},
      {"a byte of the second read differs", inSecondRead, data, false},
      {"one byte short", shorter, data, false},
      {"one byte more", longer, data, false},
      {"both empty", {}, OpenPayload(L"EmptyData"), true},
      {"a byte where none is expected", Bytes(1, std::byte{0}), OpenPayload(L"EmptyData"), false},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring path = folder.File(L"verify" + std::to_wstring(i++) + L".dat");
    WriteAll(path, c.onDisk);
    EXPECT_EQ(VerifyFileOnDevice(path, c.expected), c.equal);
  }
  EXPECT_FALSE(VerifyFileOnDevice(folder.Path() + L"missing.dat", data));
}

// The system operations behind the writer: a copy replaces a longer target, and deleting a missing file is quiet.
TEST(PayloadWin, CopyReplacesAndRemoveIsQuiet) {
  TempFolder folder;
  SystemWriterFiles files;
  const PayloadView data = files.OpenPayload(L"TestData");
  const std::wstring source = folder.File(L"source.dat");
  const std::wstring target = folder.File(L"target.dat");
  files.WritePayload(data, source);
  WriteAll(target, Bytes(data.size() * 2, std::byte{0x11}));
  EXPECT_TRUE(files.CopyOver(source, target));
  EXPECT_TRUE(files.VerifyOnDevice(target, data));
  files.RemoveFile(target);
  EXPECT_FALSE(Exists(target));
  files.RemoveFile(target);
  EXPECT_FALSE(files.CopyOver(folder.Path() + L"missing.dat", target));
  EXPECT_FALSE(Exists(target));
}

}  // namespace
}  // namespace qz::payload
