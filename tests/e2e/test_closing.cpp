// Closing the window the ways a user closes it ends the program at once with exit code 0.
#include <gtest/gtest.h>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"

namespace qz::e2e {
namespace {

// A point of the window's frame where the window reports the given hit-test code, found along the caption row.
std::optional<POINT> FindOnCaption(HWND form, LRESULT code) {
  const RECT r = WindowRectOf(form);
  const int y = r.top + ::GetSystemMetrics(SM_CYFIXEDFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 1; x > r.left; --x) {
    const LRESULT hit = ::SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (hit == code) {
      // The middle of the run of such points, as a person aims at the middle of a button.
      int left = x;
      while (left > r.left && ::SendMessageW(form, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == code) --left;
      return POINT{(left + x) / 2, y};
    }
  }
  return std::nullopt;
}

class ClosingTest : public LoaderTest {
protected:
  // The program in its running state: closing must work after ticks, not only straight after start.
  MainWindow StartRunning() {
    AddDrive(L'E');
    const MainWindow w = StartAndWaitForWindow();
    w.WaitFor([](const WindowState& s) { return s.saveEnabled; }, Ms(2500));
    return w;
  }

  void ExpectExitCodeZero() {
    const std::optional<DWORD> code = App().WaitForExit(Ms(3000));
    ASSERT_TRUE(code.has_value()) << "still running 3 s after the close";
    EXPECT_EQ(*code, 0u);
  }
};

TEST_F(ClosingTest, TitleBarCloseButtonEndsWithExitCodeZero) {
  const MainWindow w = StartRunning();
  ASSERT_TRUE(w.Complete());
  const std::optional<POINT> close = FindOnCaption(w.form, HTCLOSE);
  ASSERT_TRUE(close.has_value()) << "no close button on the caption";
  Click(*close);
  ExpectExitCodeZero();
}

TEST_F(ClosingTest, AltF4FromTheListEndsWithExitCodeZero) {
  const MainWindow w = StartRunning();
  ASSERT_TRUE(w.Complete());
  if (Foreground() != w.form) {
    const std::optional<POINT> caption = FindOnCaption(w.form, HTCAPTION);
    ASSERT_TRUE(caption.has_value());
    Click(*caption);
  }
  ASSERT_EQ(Foreground(), w.form);
  // Where the focus starts, and where a user most often is: in the list.
  ASSERT_EQ(w.Focus(), w.deviceBox) << "focus: " << Describe(w.Focus());
  PressKeys({VK_MENU, VK_F4});
  ExpectExitCodeZero();
}

}  // namespace
}  // namespace qz::e2e
