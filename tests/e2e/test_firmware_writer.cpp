// The write button as a user meets it: drives that take the image, drives that refuse it, and what the boxes say.
// Every file is compared byte for byte with the image built into the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"

namespace qz::e2e {
namespace {

const std::wstring kTitle = L"Загрузочный модуль QZ";
const std::wstring kSuccessTitle = L"Процесс завершен";
const std::wstring kWarningTitle = L"Предупреждение";
const std::wstring kWriteErrorTitle = L"Ошибка записи";
const std::wstring kWarningText =
    L"ВНИМАНИЕ! Перед прошивкой рекомендуется отключить от терминала все подключенные кабели и устройства, кроме "
    L"адаптера питания!";
std::wstring SuccessText(const std::wstring& root) { return L"Файл прошивки успешно сохранен на \"" + root + L"\""; }
std::wstring WriteErrorText(const std::wstring& root) { return L"Ошибка записи на \"" + root + L"\""; }

constexpr Ms kTickWithSlack(1600);
// Extraction, copy, flush and read-back of half a megabyte on a loaded machine.
constexpr Ms kWriteLimit(15000);

const Bytes& Firmware() {
  static const Bytes bytes = ReadBytes(WindowsPathOf(QZ_E2E_FIRMWARE)).value_or(Bytes{});
  return bytes;
}

// A box without an icon keeps its icon control, empty; told apart from an icon the driver cannot place.
BoxIcon IconOf(const MessageBoxView& box) {
  for (HWND child : Children(box.hwnd)) {
    if (ClassOf(child) == L"Static" && (::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ::SendMessageW(child, STM_GETICON, 0, 0) == 0) {
      return BoxIcon::None;
    }
  }
  return box.icon;
}

// The box read again once it shows the expected icon, or after a while: the icon is told by its pixels.
MessageBoxView Painted(const MessageBoxView& box, BoxIcon expected) {
  MessageBoxView view = box;
  WaitUntil([&] { return IconOf(view = ReadMessageBox(box.hwnd)) == expected; }, Ms(2000), Ms(50));
  view.icon = IconOf(view);
  return view;
}

class FirmwareWriterTest : public LoaderTest {
protected:
  void SetUp() override {
    LoaderTest::SetUp();
    root_ = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT");
    ASSERT_GT(Firmware().size(), 0u) << "the firmware image " << QZ_E2E_FIRMWARE << " cannot be read";
  }
  void TearDown() override {
    LoaderTest::TearDown();  // the program and the drive letters go before the mounts under them
    mounts_.clear();
  }

  std::string DriveFolder(wchar_t letter) const { return root_ + "/drive-" + static_cast<char>(letter); }
  std::wstring OnDrive(const TestDrive& d) const { return d.Root() + L"QZ1769_m.dat"; }

  void MountOver(std::unique_ptr<Mount> mount) {
    ASSERT_TRUE(mount->Mounted()) << "the mount failed (the bed runs as root)";
    mounts_.push_back(std::move(mount));
  }

  // A copy of the program in a folder of its own, so that its program-folder file is this test's alone.
  std::wstring CopyProgramTo(const std::wstring& folder) {
    const std::wstring exe = folder + L"QZLoader.exe";
    EXPECT_TRUE(::CopyFileW(LoaderExe().c_str(), exe.c_str(), FALSE)) << "error " << ::GetLastError();
    return exe;
  }
  std::wstring CopyProgram() { return CopyProgramTo(WindowsPathOf(MakeFolder("program")) + L"\\"); }

  MainWindow StartReady(const std::wstring& exe, const std::vector<std::wstring>& roots) {
    Start(exe);
    const HWND form = WaitForTopLevel(App().Id(), L"TForm", Ms(15000));
    EXPECT_NE(form, nullptr) << "the main window did not appear";
    MainWindow w(form);
    bool ready = false;
    const WindowState s =
        w.WaitFor([&](const WindowState& st) { return st.IsReadyWith(roots); }, kTickWithSlack * 2, &ready);
    EXPECT_TRUE(ready) << s;
    return w;
  }

  void PressSave(const MainWindow& w) { Click(CenterOf(WindowRectOf(w.saveButton))); }

  // The box that follows, checked against what it must say; empty when no box came.
  std::optional<MessageBoxView> ExpectBox(const std::wstring& title, const std::wstring& text, BoxIcon icon,
                                          Ms limit = kWriteLimit) {
    std::optional<MessageBoxView> box = WaitForMessageBox(App().Id(), limit);
    EXPECT_TRUE(box.has_value()) << "no box titled " << testbed::ToUtf8(title);
    if (!box) return box;
    box = Painted(*box, icon);
    EXPECT_EQ(box->title, title);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->icon, icon) << NameOf(box->icon);
    EXPECT_EQ(box->buttons.size(), 1u);
    EXPECT_NE(box->Button(IDOK), nullptr);
    // One box at a time.
    int dialogs = 0;
    for (HWND h : TopLevelWindows(App().Id())) {
      if (ClassOf(h) == L"#32770" && ::IsWindowVisible(h)) ++dialogs;
    }
    EXPECT_EQ(dialogs, 1);
    return box;
  }

  void Close(const std::optional<MessageBoxView>& box) {
    if (box) {
      EXPECT_TRUE(ClickBoxButton(*box, IDOK)) << "the box did not close";
    }
  }

  // The success box naming the root, then, once it is closed, the warning box.
  void ExpectSuccessThenWarning(const std::wstring& root, const std::string& shots = "") {
    const auto success = ExpectBox(kSuccessTitle, SuccessText(root), BoxIcon::None);
    if (!shots.empty()) SaveScreenshot(shots + "-success");
    Close(success);
    const auto warning = ExpectBox(kWarningTitle, kWarningText, BoxIcon::Warning, Ms(3000));
    if (!shots.empty()) SaveScreenshot(shots + "-warning");
    Close(warning);
  }

  void ExpectWriteError(const std::wstring& root, const std::string& shot = "") {
    const auto box = ExpectBox(kWriteErrorTitle, WriteErrorText(root), BoxIcon::Error);
    if (!shot.empty()) SaveScreenshot(shot);
    Close(box);
  }

  // No file may carry the firmware's name unless it holds the firmware.
  void ExpectNoWrongFile(const std::string& linuxFolder) {
    const auto left = ReadBytes(WindowsPathOf(linuxFolder + "/QZ1769_m.dat"));
    EXPECT_TRUE(!left || *left == Firmware()) << "a file of " << left->size() << " bytes carries the name";
  }

  std::string root_;
  std::vector<std::unique_ptr<Mount>> mounts_;
};

TEST_F(FirmwareWriterTest, DriveWithAnOldFileGetsTheNewImage) {
  TestDrive& e = AddDrive(L'E');
  ASSERT_TRUE(WriteBytes(OnDrive(e), Bytes(Firmware().size() + 100000, '\xEE')));
  const std::wstring exe = CopyProgram();
  const MainWindow w = StartReady(exe, {e.Root()});

  PressSave(w);
  const auto success = ExpectBox(kSuccessTitle, SuccessText(e.Root()), BoxIcon::None);
  // Reported only once the drive holds the image; the program folder holds its copy too.
  EXPECT_EQ(ReadBytes(OnDrive(e)), Firmware());
  EXPECT_EQ(ReadBytes(exe.substr(0, exe.rfind(L'\\') + 1) + L"QZ1769_m.dat"), Firmware());
  SaveScreenshot("success");
  Close(success);
  const auto warning = ExpectBox(kWarningTitle, kWarningText, BoxIcon::Warning, Ms(3000));
  SaveScreenshot("warning");
  Close(warning);

  bool enabled = false;
  w.WaitFor([](const WindowState& s) { return s.saveEnabled; }, Ms(500), &enabled);
  EXPECT_TRUE(enabled) << "the button stayed disabled after the boxes";
  EXPECT_FALSE(WaitForMessageBox(App().Id(), Ms(300)).has_value()) << "a third box";

  // A second press on the same drive writes it again.
  PressSave(w);
  ExpectSuccessThenWarning(e.Root());
  EXPECT_EQ(ReadBytes(OnDrive(e)), Firmware());
}

TEST_F(FirmwareWriterTest, DriveRemovedAfterTheListWasRefreshed) {
  // Unplugged and pressed before the next tick: a tick in between hides the list and the press does nothing, so
  // try again with a fresh drive.
  const std::wstring exe = CopyProgram();
  bool boxCame = false;
  for (int attempt = 0; attempt < 4 && !boxCame; ++attempt) {
    TestDrive& f = AddDrive(L'F');
    const MainWindow w = attempt == 0 ? StartReady(exe, {f.Root()}) : MainWindow(FindTopLevel(App().Id(), L"TForm"));
    bool ready = false;
    w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({f.Root()}); }, kTickWithSlack * 2, &ready);
    ASSERT_TRUE(ready);
    f.Remove();
    PressSave(w);
    auto box = WaitForMessageBox(App().Id(), kWriteLimit / 5);
    if (!box) continue;
    boxCame = true;
    box = Painted(*box, BoxIcon::Error);
    EXPECT_EQ(box->title, kWriteErrorTitle);
    EXPECT_EQ(box->text, WriteErrorText(L"F:\\"));
    EXPECT_EQ(box->icon, BoxIcon::Error) << NameOf(box->icon);
    SaveScreenshot("write-error");
    Close(box);
  }
  ASSERT_TRUE(boxCame) << "every press came after the tick that followed the removal";
  ExpectNoWrongFile(DriveFolder(L'F'));
}

// A reader whose medium is gone stays listed; no system dialog asks for a disk, the program's own box reports it.
TEST_F(FirmwareWriterTest, ListedDriveWithoutAMedium) {
  TestDrive g(L'G', root_ + "/no-medium", DriveKind::Removable);
  const MainWindow w = StartReady(CopyProgram(), {g.Root()});
  PressSave(w);
  ExpectWriteError(g.Root());
}

TEST_F(FirmwareWriterTest, FullDriveKeepsNoPartialFile) {
  TestDrive& e = AddDrive(L'E');
  MountOver(Mount::SmallTmpfs(DriveFolder(L'E'), "256k"));
  ASSERT_TRUE(WriteBytes(OnDrive(e), Bytes(1000, '\x11')));
  const MainWindow w = StartReady(CopyProgram(), {e.Root()});
  PressSave(w);
  ExpectWriteError(e.Root());
  ExpectNoWrongFile(DriveFolder(L'E'));
  EXPECT_FALSE(ReadBytes(OnDrive(e)).has_value()) << "the old file was deleted, the partial copy must go too";
}

TEST_F(FirmwareWriterTest, WriteProtectedDrive) {
  TestDrive& e = AddDrive(L'E');
  ::DeleteFileW(OnDrive(e).c_str());
  ASSERT_FALSE(ReadBytes(OnDrive(e)).has_value());
  MountOver(Mount::ReadOnly(DriveFolder(L'E')));
  const MainWindow w = StartReady(CopyProgram(), {e.Root()});
  PressSave(w);
  ExpectWriteError(e.Root());
  EXPECT_FALSE(ReadBytes(OnDrive(e)).has_value());
}

// The program-folder copy and the target are one file: it stays, is checked, and success is reported.
TEST_F(FirmwareWriterTest, StartedFromTheRootOfTheChosenDrive) {
  TestDrive& e = AddDrive(L'E');
  ASSERT_TRUE(WriteBytes(OnDrive(e), Bytes(Firmware().size() * 2, '\x22')));
  const std::wstring exe = CopyProgramTo(e.Root());
  const MainWindow w = StartReady(exe, {e.Root()});
  PressSave(w);
  ExpectSuccessThenWarning(e.Root());
  EXPECT_EQ(ReadBytes(OnDrive(e)), Firmware());
}

TEST_F(FirmwareWriterTest, ProgramFolderThatCannotBeWritten) {
  TestDrive& e = AddDrive(L'E');
  const Bytes old(5000, '\x33');
  ASSERT_TRUE(WriteBytes(OnDrive(e), old));
  const std::string folder = MakeFolder("read-only-program");
  const std::wstring exe = CopyProgramTo(WindowsPathOf(folder) + L"\\");
  MountOver(Mount::ReadOnly(folder));
  const MainWindow w = StartReady(exe, {e.Root()});

  PressSave(w);
  const std::wstring start = L"Cannot create file \"" + WindowsPathOf(folder) + L"\\QZ1769_m.dat\". ";
  auto box = WaitForMessageBox(App().Id(), kWriteLimit);
  ASSERT_TRUE(box.has_value());
  box = Painted(*box, BoxIcon::Error);
  EXPECT_EQ(box->title, kTitle);
  EXPECT_EQ(box->text.substr(0, start.size()), start);
  EXPECT_GT(box->text.size(), start.size() + 1) << "no description of the error";
  EXPECT_EQ(box->text.back(), L'.');
  EXPECT_NE(box->text.substr(box->text.size() - 2), L"..");
  EXPECT_EQ(box->icon, BoxIcon::Error) << NameOf(box->icon);
  SaveScreenshot("create-error");
  // The drive is untouched.
  EXPECT_EQ(ReadBytes(OnDrive(e)), old);
  // The operation ended without enabling the button; the watcher's next tick does, box or no box.
  bool enabled = false;
  w.WaitFor([](const WindowState& s) { return s.saveEnabled; }, kTickWithSlack, &enabled);
  EXPECT_TRUE(enabled) << "the button did not come back with the next tick";
  Close(box);
  EXPECT_EQ(ReadBytes(OnDrive(e)), old);
}

}  // namespace
}  // namespace qz::e2e
