// The change-list button as a user meets it: with a PDF viewer of the bed's own registered in the prefix, with none,
// with the document locked by a viewer, with a program folder that cannot be written, and in a build that lacks the
// document. Every written file is compared byte for byte with the document built into the program.
#include <gtest/gtest.h>
// windows.h comes through the driver; shellapi.h needs it first.
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace qz::e2e {
namespace {

const std::wstring kAppTitle = L"Загрузочный модуль QZ";
const std::wstring kErrorTitle = L"Ошибка";
const std::wstring kErrorText =
    L"Невозможно отобразить список изменений. Возможно, он уже открыт, либо Adobe Reader не установлен.";
const std::wstring kNotFoundText = L"Resource Changes not found.";

// Writing 60 KB and starting a program through the shell on a loaded machine.
constexpr Ms kPressLimit(15000);
// How long we look for a box that must not come, once the operation has visibly ended.
constexpr Ms kNoBoxWatch(2500);
constexpr Ms kTickWithSlack(1600);

const Bytes& Changes() {
  static const Bytes bytes = ReadBytes(WindowsPathOf(QZ_E2E_CHANGES)).value_or(Bytes{});
  return bytes;
}

// An earlier copy that no build of the document can be mistaken for: longer than it, and not a PDF.
Bytes EarlierCopy() {
  Bytes bytes(Changes().size() + 4096, '\x5A');
  const std::string mark = "earlier copy of the change list";
  std::copy(mark.begin(), mark.end(), bytes.begin());
  return bytes;
}

// Two files compared from the Linux side, where a file that a Windows program holds open without sharing can still
// be read.
bool SameBytesSeenFromLinux(const std::string& a, const std::string& b) {
  return RunLinux("cmp -s '" + a + "' '" + b + "'") == 0;
}

// What the viewer wrote about one of its starts: the tag of the line and the rest of it.
struct ViewerEntry {
  std::string tag;
  std::wstring text;
};

std::vector<std::wstring> Arguments(const std::wstring& commandLine) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(commandLine.c_str(), &argc);
  std::vector<std::wstring> out;
  for (int i = 0; argv && i < argc; ++i) out.emplace_back(argv[i]);
  ::LocalFree(argv);
  return out;
}

class ChangeListTest : public LoaderTest {
protected:
  void SetUp() override {
    LoaderTest::SetUp();
    root_ = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT");
    ASSERT_GT(Changes().size(), 0u) << "the change list " << QZ_E2E_CHANGES << " cannot be read";
    ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", nullptr);
    ::SetEnvironmentVariableW(L"QZ_VIEWER_LOG", nullptr);
  }
  void TearDown() override {
    LoaderTest::TearDown();
    helper_.reset();  // a holding viewer lets go of the folder before it is unmounted
    mount_.reset();
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", nullptr);
  }

  static constexpr const wchar_t* kProgId = L"QzTestViewer.Document";

  // The bed's viewer, copied into a folder of the test (its log goes next to it) and registered as the program
  // for PDF documents, as an installed reader registers itself.
  void RegisterViewer() {
    const std::wstring folder = WindowsPathOf(MakeFolder("viewer")) + L"\\";
    viewerExe_ = folder + L"viewer.exe";
    viewerLog_ = folder + L"viewer.log";
    ASSERT_TRUE(::CopyFileW(WindowsPathOf(QZ_E2E_VIEWER).c_str(), viewerExe_.c_str(), FALSE))
        << "error " << ::GetLastError();
    SetDefault(L".pdf", kProgId);
    SetDefault(std::wstring(kProgId) + L"\\shell\\open\\command", L"\"" + viewerExe_ + L"\" \"%1\"");
  }

  static void SetDefault(const std::wstring& key, const std::wstring& value) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr),
              ERROR_SUCCESS)
        << testbed::ToUtf8(key);
    const LONG set = ::RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
    ASSERT_EQ(set, ERROR_SUCCESS) << testbed::ToUtf8(key);
  }

  static bool PdfAssociated() {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L".pdf", 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    ::RegCloseKey(h);
    return true;
  }

  std::vector<ViewerEntry> ViewerLog() const {
    std::vector<ViewerEntry> entries;
    const std::optional<Bytes> bytes = ReadBytes(viewerLog_);
    if (!bytes) return entries;
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    for (std::string line; std::getline(lines, line);) {
      const size_t space = line.find(' ');
      entries.push_back(
          {line.substr(0, space), space == std::string::npos ? L"" : testbed::FromUtf8(line.substr(space + 1))});
    }
    return entries;
  }
  std::vector<ViewerEntry> ViewerEntries(const std::string& tag) const {
    std::vector<ViewerEntry> out;
    for (const ViewerEntry& e : ViewerLog()) {
      if (e.tag == tag) out.push_back(e);
    }
    return out;
  }
  bool WaitForViewer(const std::string& tag, size_t count, Ms limit) const {
    return WaitUntil([&] { return ViewerEntries(tag).size() >= count; }, limit, Ms(50));
  }
  std::string ViewerLogText() const {
    std::string text;
    for (const ViewerEntry& e : ViewerLog()) text += "\n  " + e.tag + " " + testbed::ToUtf8(e.text);
    return text.empty() ? " (empty)" : text;
  }

  // A copy of the program in a folder of the test, so that the program folder is known and this test's alone.
  std::wstring CopyProgram(const std::string& folderName, const std::wstring& exe = LoaderExe()) {
    programFolder_ = MakeFolder(folderName);
    const std::wstring copy = WindowsPathOf(programFolder_) + L"\\QZLoader.exe";
    EXPECT_TRUE(::CopyFileW(exe.c_str(), copy.c_str(), FALSE)) << "error " << ::GetLastError();
    return copy;
  }
  std::wstring ChangesPath() const { return WindowsPathOf(programFolder_) + L"\\Changes.pdf"; }

  // Started from another folder than its own: the document goes to the program folder, not the current one.
  MainWindow StartProgram(const std::wstring& exe) {
    Start(exe);
    const HWND form = WaitForTopLevel(App().Id(), L"TForm", Ms(15000));
    EXPECT_NE(form, nullptr) << "the main window did not appear";
    MainWindow w(form);
    EXPECT_TRUE(!form || w.Complete()) << DescribeTree(form);
    return w;
  }

  void Press(const MainWindow& w) { Click(CenterOf(WindowRectOf(w.rzBmpButton1))); }

  int VisibleBoxes() {
    int boxes = 0;
    for (HWND h : TopLevelWindows(App().Id())) {
      if (ClassOf(h) == L"#32770" && ::IsWindowVisible(h)) ++boxes;
    }
    return boxes;
  }

  // The box that follows a press, checked against what it must say: one OK button, the error icon, no other box
  // beside it, and the main window taking no input meanwhile. Empty when no box came.
  std::optional<MessageBoxView> ExpectBox(const MainWindow& w, const std::wstring& title, const std::wstring& text) {
    std::optional<MessageBoxView> box = WaitForMessageBox(App().Id(), kPressLimit);
    EXPECT_TRUE(box.has_value()) << "no box titled " << testbed::ToUtf8(title);
    if (!box) return box;
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->icon, BoxIcon::Error) << NameOf(box->icon);
    EXPECT_EQ(box->buttons.size(), 1u);
    EXPECT_NE(box->Button(IDOK), nullptr);
    EXPECT_EQ(VisibleBoxes(), 1);
    EXPECT_FALSE(::IsWindowEnabled(w.form)) << "the main window takes input while the box is open";
    return box;
  }

  // Closes the box with its OK button; then no second box may follow, and the window takes input again.
  void CloseAndExpectNoOther(const std::optional<MessageBoxView>& box, const MainWindow& w) {
    if (!box) return;
    EXPECT_TRUE(ClickBoxButton(*box, IDOK)) << "the box did not close";
    EXPECT_FALSE(WaitForMessageBox(App().Id(), kNoBoxWatch).has_value()) << "a second box for one press";
    EXPECT_TRUE(App().Running());
    EXPECT_TRUE(::IsWindowEnabled(w.form)) << "the main window stayed disabled";
  }

  std::string root_;
  std::string programFolder_;
  std::wstring viewerExe_;
  std::wstring viewerLog_;
  std::unique_ptr<Process> helper_;
  std::unique_ptr<Mount> mount_;
};

TEST_F(ChangeListTest, RegisteredViewerGetsTheWrittenDocument) {
  RegisterViewer();
  // A folder name with a space and Cyrillic letters: the path must reach the viewer whole.
  const std::wstring exe = CopyProgram("папка программы QZ");
  ASSERT_TRUE(WriteBytes(ChangesPath(), EarlierCopy()));
  const MainWindow w = StartProgram(exe);
  ASSERT_TRUE(w.Complete());

  for (size_t press = 1; press <= 2; ++press) {
    SCOPED_TRACE("press " + std::to_string(press));
    const auto pressed = Clock::now();
    Press(w);
    ASSERT_TRUE(WaitForViewer("command", press, kPressLimit)) << "the viewer was not started:" << ViewerLogText();
    std::printf("viewer started %lld ms after press %zu\n", ElapsedMs(pressed), press);
    const std::vector<ViewerEntry> starts = ViewerEntries("command");
    ASSERT_EQ(starts.size(), press) << ViewerLogText();
    const std::vector<std::wstring> args = Arguments(starts.back().text);
    ASSERT_EQ(args.size(), 2u) << testbed::ToUtf8(starts.back().text);
    EXPECT_EQ(args[0], viewerExe_);
    EXPECT_EQ(args[1], ChangesPath());
    // The document is written before the shell is asked, whole, over the longer earlier copy.
    EXPECT_EQ(ReadBytes(ChangesPath()), Changes());
    EXPECT_FALSE(WaitForMessageBox(App().Id(), kNoBoxWatch).has_value()) << "a box although the viewer started";
    // The next press must find something to replace.
    ASSERT_TRUE(WriteBytes(ChangesPath(), EarlierCopy()));
  }
  // Nothing was written into the current folder of the program.
  EXPECT_FALSE(ReadBytes(WindowsPathOf(root_ + "/work/Changes.pdf")).has_value());
}

TEST_F(ChangeListTest, NoProgramForPdfDocuments) {
  ASSERT_FALSE(PdfAssociated()) << "the template prefix still has a program for PDF documents";
  const std::wstring exe = CopyProgram("program");
  const MainWindow w = StartProgram(exe);
  ASSERT_TRUE(w.Complete());

  // Twice: the box comes once for each press.
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE("press " + std::to_string(press));
    ::DeleteFileW(ChangesPath().c_str());
    Press(w);
    const auto box = ExpectBox(w, kErrorTitle, kErrorText);
    // The document was written before the shell was asked.
    EXPECT_EQ(ReadBytes(ChangesPath()), Changes());
    if (press == 1) {
      SaveScreenshot("error-box");
      if (box) SaveScreenshot("error-box-alone", box->hwnd);
    }
    CloseAndExpectNoOther(box, w);
  }
}

TEST_F(ChangeListTest, DocumentHeldOpenByAViewerIsLeftAlone) {
  RegisterViewer();
  const std::wstring exe = CopyProgram("program");
  const Bytes earlier = EarlierCopy();
  ASSERT_TRUE(WriteBytes(ChangesPath(), earlier));
  const std::string reference = root_ + "/earlier-copy";
  ASSERT_TRUE(WriteBytes(WindowsPathOf(reference), earlier));
  // A viewer that already shows the earlier copy and keeps it locked.
  ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", L"120");
  helper_ = std::make_unique<Process>(viewerExe_, WindowsPathOf(root_), L"\"" + ChangesPath() + L"\"");
  ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", nullptr);
  ASSERT_TRUE(WaitForViewer("holding", 1, Ms(10000))) << "the viewer did not lock the document:" << ViewerLogText();

  const MainWindow w = StartProgram(exe);
  ASSERT_TRUE(w.Complete());
  Press(w);
  const auto box = ExpectBox(w, kErrorTitle, kErrorText);
  SaveScreenshot("locked", box ? box->hwnd : nullptr);
  CloseAndExpectNoOther(box, w);

  // The shell was not asked, and the open viewer goes on undisturbed with its copy as it was.
  EXPECT_EQ(ViewerEntries("command").size(), 1u) << ViewerLogText();
  EXPECT_TRUE(ViewerEntries("released").empty()) << ViewerLogText();
  EXPECT_TRUE(helper_->Running());
  EXPECT_TRUE(SameBytesSeenFromLinux(programFolder_ + "/Changes.pdf", reference)) << "the open copy was changed";
}

TEST_F(ChangeListTest, ProgramFolderThatCannotBeWritten) {
  RegisterViewer();
  const std::wstring exe = CopyProgram("read-only program");
  const Bytes earlier = EarlierCopy();
  ASSERT_TRUE(WriteBytes(ChangesPath(), earlier));
  mount_ = Mount::ReadOnly(programFolder_);
  ASSERT_TRUE(mount_->Mounted()) << "the mount failed (the bed runs as root)";

  const MainWindow w = StartProgram(exe);
  ASSERT_TRUE(w.Complete());
  Press(w);
  // The viewer's own box, not the exception presentation titled with the application's title.
  const auto box = ExpectBox(w, kErrorTitle, kErrorText);
  SaveScreenshot("read-only", box ? box->hwnd : nullptr);
  CloseAndExpectNoOther(box, w);
  EXPECT_EQ(ReadBytes(ChangesPath()), earlier);
  // The write failed, so the shell was not asked to open the earlier copy.
  EXPECT_TRUE(ViewerLog().empty()) << ViewerLogText();
}

TEST_F(ChangeListTest, BuildWithoutTheDocument) {
  RegisterViewer();
  const std::wstring exe = CopyProgram("program", WindowsPathOf(QZ_E2E_LOADER_NO_CHANGES));
  const MainWindow w = StartProgram(exe);
  ASSERT_TRUE(w.Complete());
  Press(w);
  // The exception presentation, not the viewer's box.
  const auto box = ExpectBox(w, kAppTitle, kNotFoundText);
  SaveScreenshot("not-found", box ? box->hwnd : nullptr);
  CloseAndExpectNoOther(box, w);
  EXPECT_FALSE(ReadBytes(ChangesPath()).has_value()) << "a document was written";
  EXPECT_TRUE(ViewerLog().empty()) << ViewerLogText();
}

// The program hands the document over and goes on: the drive list keeps refreshing while the viewer runs, and a
// second press while the viewer holds the document gets one box.
TEST_F(ChangeListTest, ProgramDoesNotWaitForTheViewer) {
  RegisterViewer();
  const std::wstring exe = CopyProgram("program");
  ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", L"90");  // inherited by the program, and from it by the viewer
  const MainWindow w = StartProgram(exe);
  ::SetEnvironmentVariableW(L"QZ_VIEWER_HOLD", nullptr);
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  WindowState s = w.WaitFor([](const WindowState& st) { return st.IsNoDrive(); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;

  const auto pressed = Clock::now();
  Press(w);
  ASSERT_TRUE(WaitForViewer("holding", 1, kPressLimit)) << ViewerLogText();
  std::printf("the viewer held the document %lld ms after the press\n", ElapsedMs(pressed));

  // While the viewer holds the document, the window's timer goes on: a drive plugged in now shows at the next tick.
  const TestDrive& e = AddDrive(L'E');
  s = w.WaitFor([&](const WindowState& st) { return st.IsReadyWith({e.Root()}); }, kTickWithSlack, &reached);
  EXPECT_TRUE(reached) << "the window stopped refreshing while the viewer runs: " << s;
  EXPECT_EQ(VisibleBoxes(), 0);

  Press(w);
  const auto box = ExpectBox(w, kErrorTitle, kErrorText);
  CloseAndExpectNoOther(box, w);
  EXPECT_TRUE(SameBytesSeenFromLinux(programFolder_ + "/Changes.pdf", QZ_E2E_CHANGES));
  EXPECT_EQ(ViewerEntries("command").size(), 1u) << ViewerLogText();
  EXPECT_TRUE(ViewerEntries("released").empty()) << "the viewer did not hold as long as asked:" << ViewerLogText();
}

}  // namespace
}  // namespace qz::e2e
