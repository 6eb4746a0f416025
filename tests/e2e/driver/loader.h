// The program under test as a user meets it: started from a folder, its main window and the six things on it.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/driver/bed.h"
#include "tests/e2e/driver/process.h"
#include "tests/e2e/driver/windows.h"

namespace qz::e2e {

// The executables under test, as the build gave them.
std::wstring LoaderExe();
std::wstring LoaderNoTimerExe();

// What the window shows at one moment.
struct WindowState {
  std::wstring prompt;
  bool listVisible = false;
  std::vector<std::wstring> items;
  int selected = -1;
  bool saveVisible = false;
  bool saveEnabled = false;

  bool operator==(const WindowState&) const = default;

  // Right after start, before the first tick: the list shown and empty, the button off, the first prompt.
  bool IsBuilt() const;
  // No removable drive: the red prompt (colour not checked here), the list hidden, the button off.
  bool IsNoDrive() const;
  // Ready with exactly these entries, the first selected, the button on.
  bool IsReadyWith(const std::vector<std::wstring>& expected) const;
};
std::ostream& operator<<(std::ostream& out, const WindowState& state);

// The main window and its controls, found by class in creation order.
class MainWindow {
public:
  explicit MainWindow(HWND form);

  HWND form = nullptr;
  HWND label1 = nullptr;
  HWND fullVer = nullptr;
  HWND deviceBox = nullptr;
  HWND saveButton = nullptr;
  HWND rzBmpButton1 = nullptr;

  bool Complete() const { return label1 && fullVer && deviceBox && saveButton && rzBmpButton1; }
  // One look at the controls. It takes several messages, and a tick may fall between them: the state is read again
  // until two readings agree, so it never mixes the states before and after a tick.
  WindowState Read() const;
  // Waits up to `limit` for a state that satisfies `predicate`; returns the last state read.
  template <typename Predicate>
  WindowState WaitFor(Predicate predicate, Ms limit, bool* reached = nullptr) const {
    WindowState last;
    const bool ok = WaitUntil([&] { return predicate(last = Read()); }, limit);
    if (reached) *reached = ok;
    return last;
  }
  HWND Focus() const { return FocusOf(form); }

private:
  WindowState ReadOnce() const;
};

// A test that starts the program; the program is killed at the end of the test if it still runs.
class LoaderTest : public BedTest {
protected:
  void TearDown() override;

  // Starts the program from `workingFolder` (a new folder of the test when empty).
  Process& Start(const std::wstring& exe = LoaderExe(), const std::string& workingFolder = {});
  // Starts it and waits for its main window; the test fails when it does not appear in time.
  MainWindow StartAndWaitForWindow(Ms limit = Ms(15000));
  Process& App() { return *process_; }

private:
  std::unique_ptr<Process> process_;
};

// Wine starts the desktop with the first window of a prefix; doing it before a test keeps its start-up out of the
// measured times.
void WarmUpDesktop();

}  // namespace qz::e2e
