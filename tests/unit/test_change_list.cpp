// The change-list button: what is written, what the shell is asked, and when the one error box appears.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/change_list.h"
#include "ui/exceptions.h"

namespace qz::payload {
namespace {

const std::byte kDocument[] = {std::byte{'%'}, std::byte{'P'}, std::byte{'D'}, std::byte{'F'}};

struct Recorder : WriterWindow, WriterFiles, DocumentShell {
  std::vector<std::wstring> calls;
  bool missingPayload = false;
  bool writeFails = false;
  std::intptr_t shellResult = 42;

  void SetSaveEnabled(bool) override { calls.push_back(L"save-enabled"); }
  std::wstring DriveText() override { return L"E:\\"; }
  void ShowMessageBox(const std::wstring& text, const std::wstring& title, unsigned flags) override {
    calls.push_back(L"box " + title + L" " + std::to_wstring(flags) + L" " + text);
  }
  PayloadView OpenPayload(const wchar_t* name) override {
    calls.push_back(std::wstring(L"open ") + name);
    if (missingPayload) throw EResNotFound(L"Resource Changes not found");
    return PayloadView(kDocument);
  }
  std::wstring ProgramFilePath(const std::wstring& fileName) override { return L"C:\\app\\" + fileName; }
  void WritePayload(PayloadView payload, const std::wstring& path) override {
    calls.push_back(L"write " + path + L" " + std::to_wstring(payload.size()));
    if (writeFails) throw EFCreateError(L"Cannot create file \"" + path + L"\". Access denied");
  }
  void RemoveFile(const std::wstring& path) override { calls.push_back(L"remove " + path); }
  bool CopyOver(const std::wstring&, const std::wstring&) override { return false; }
  bool VerifyOnDevice(const std::wstring&, PayloadView) override { return false; }
  std::intptr_t Open(const std::wstring& path) override {
    calls.push_back(L"shell " + path);
    return shellResult;
  }
};

const std::wstring kErrorBox =
    L"box Ошибка 16 Невозможно отобразить список изменений. Возможно, он уже открыт, либо Adobe Reader не "
    L"установлен.";

TEST(ChangeList, WritesTheDocumentNextToTheProgramAndHasTheShellOpenIt) {
  Recorder r;
  ShowChangeList(r, r, r);
  EXPECT_EQ(r.calls, (std::vector<std::wstring>{L"open Changes", L"write C:\\app\\Changes.pdf 4",
                                                L"shell C:\\app\\Changes.pdf"}));
}

TEST(ChangeList, OneErrorBoxWhateverFailsInsideTheGuard) {
  struct Case {
    bool writeFails;
    std::intptr_t shellResult;
    std::vector<std::wstring> expected;
  };
  const std::vector<Case> cases = {
      // The file cannot be written: the shell is not asked.
      {true, 42, {L"open Changes", L"write C:\\app\\Changes.pdf 4", kErrorBox}},
      // No program for the document (31), the file gone (2), and the boundary 32 itself.
      {false, 31, {L"open Changes", L"write C:\\app\\Changes.pdf 4", L"shell C:\\app\\Changes.pdf", kErrorBox}},
      {false, 2, {L"open Changes", L"write C:\\app\\Changes.pdf 4", L"shell C:\\app\\Changes.pdf", kErrorBox}},
      {false, 32, {L"open Changes", L"write C:\\app\\Changes.pdf 4", L"shell C:\\app\\Changes.pdf", kErrorBox}},
      {false, 33, {L"open Changes", L"write C:\\app\\Changes.pdf 4", L"shell C:\\app\\Changes.pdf"}},
  };
  for (const Case& c : cases) {
    Recorder r;
    r.writeFails = c.writeFails;
    r.shellResult = c.shellResult;
    ShowChangeList(r, r, r);
    EXPECT_EQ(r.calls, c.expected) << "shell result " << c.shellResult;
  }
}

TEST(ChangeList, AMissingPayloadPassesToTheCallerWithNothingWritten) {
  Recorder r;
  r.missingPayload = true;
  try {
    ShowChangeList(r, r, r);
    FAIL() << "no exception";
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource Changes not found");
  }
  EXPECT_EQ(r.calls, std::vector<std::wstring>{L"open Changes"});
}

}  // namespace
}  // namespace qz::payload
