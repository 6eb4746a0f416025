#include "tests/e2e/driver/loader.h"

#include <gtest/gtest.h>

#include "tools/testbed/mountmgr.h"

namespace qz::e2e {

namespace {
std::wstring FromLinuxBuildPath(const char* path) { return WindowsPathOf(path); }

const wchar_t* const kPromptChoose = L"Выберите USB-Flash:";
const wchar_t* const kPromptNoDrive = L"ПОДКЛЮЧИТЕ USB-FLASH!";
}  // namespace

std::wstring LoaderExe() { return FromLinuxBuildPath(QZ_E2E_LOADER); }
std::wstring LoaderNoTimerExe() { return FromLinuxBuildPath(QZ_E2E_LOADER_NO_TIMER); }

bool WindowState::IsBuilt() const {
  return prompt == kPromptChoose && listVisible && items.empty() && selected == -1 && saveVisible && !saveEnabled;
}

bool WindowState::IsNoDrive() const {
  return prompt == kPromptNoDrive && !listVisible && items.empty() && saveVisible && !saveEnabled;
}

bool WindowState::IsReadyWith(const std::vector<std::wstring>& expected) const {
  return prompt == kPromptChoose && listVisible && items == expected && selected == 0 && saveVisible && saveEnabled;
}

std::ostream& operator<<(std::ostream& out, const WindowState& s) {
  out << "{prompt \"" << testbed::ToUtf8(s.prompt) << "\", list " << (s.listVisible ? "shown" : "hidden") << " [";
  for (size_t i = 0; i < s.items.size(); ++i) out << (i ? ", " : "") << testbed::ToUtf8(s.items[i]);
  out << "] selected " << s.selected << ", save button " << (s.saveVisible ? "shown" : "hidden") << " and "
      << (s.saveEnabled ? "enabled" : "disabled") << "}";
  return out;
}

MainWindow::MainWindow(HWND f) : form(f) {
  // Label1 was created first, FullVer second; the program then moved FullVer to the bottom of the Z order.
  label1 = ChildOfClass(form, L"TLabel", 0);
  fullVer = ChildOfClass(form, L"TLabel", 1);
  deviceBox = ChildOfClass(form, L"COMBOBOX");
  saveButton = ChildOfClass(form, L"TRzMenuButton");
  rzBmpButton1 = ChildOfClass(form, L"TRzBmpButton");
}

WindowState MainWindow::Read() const {
  WindowState last = ReadOnce();
  for (int attempt = 0; attempt < 10; ++attempt) {
    WindowState again = ReadOnce();
    if (again == last) break;
    last = std::move(again);
  }
  return last;
}

WindowState MainWindow::ReadOnce() const {
  WindowState s;
  s.prompt = TextOf(label1);
  s.listVisible = ::IsWindowVisible(deviceBox) != FALSE;
  const ComboContents combo = ReadCombo(deviceBox);
  s.items = combo.items;
  s.selected = combo.selected;
  s.saveVisible = ::IsWindowVisible(saveButton) != FALSE;
  s.saveEnabled = ::IsWindowEnabled(saveButton) != FALSE;
  return s;
}

void LoaderTest::TearDown() {
  process_.reset();
  BedTest::TearDown();
}

Process& LoaderTest::Start(const std::wstring& exe, const std::string& workingFolder) {
  const std::string folder = workingFolder.empty() ? MakeFolder("work") : workingFolder;
  process_ = std::make_unique<Process>(exe, WindowsPathOf(folder));
  return *process_;
}

MainWindow LoaderTest::StartAndWaitForWindow(Ms limit) {
  Start();
  const HWND form = WaitForTopLevel(process_->Id(), L"TForm", limit);
  EXPECT_NE(form, nullptr) << "the main window did not appear within " << limit.count() << " ms";
  MainWindow window(form);
  EXPECT_TRUE(!form || window.Complete()) << "the main window lacks some of its controls:\n" << DescribeTree(form);
  return window;
}

void WarmUpDesktop() {
  // Asking for the desktop window starts the desktop's process and returns once the desktop is there.
  ::GetDesktopWindow();
}

}  // namespace qz::e2e
