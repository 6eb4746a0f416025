// The main window as a user sees it: its states while drives come and go, its list, its focus order and its place.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/screen.h"

namespace qz::e2e {
namespace {

// One tick is 1000 ms; the rest allows for a loaded machine between the tick and our look, and is small enough
// that a missed tick mostly shows.
constexpr Ms kTick(1000);
constexpr Ms kTickWithSlack(1300);

struct TextColours {
  int red = 0;   // pixels of clearly red ink
  int dark = 0;  // pixels of dark (black) ink
};

// Counts the ink of a label's text on the screen.
TextColours InkOf(HWND label) {
  const Image image = CaptureWindow(label);
  TextColours c;
  for (std::uint32_t p : image.pixels) {
    if (Red(p) >= 160 && Green(p) <= 80 && Blue(p) <= 80) ++c.red;
    if (Red(p) <= 80 && Green(p) <= 80 && Blue(p) <= 80) ++c.dark;
  }
  return c;
}

// The label has been painted once its text shows on the screen.
bool WaitForInk(HWND label) {
  return WaitUntil(
      [&] {
        const TextColours c = InkOf(label);
        return c.red + c.dark > 0;
      },
      Ms(2000));
}

using MainWindowTest = LoaderTest;

TEST_F(MainWindowTest, BuiltStateDuringTheFirstSecond) {
  // A removable drive is there from the start, so the built state differs from both states that ticks produce.
  const TestDrive& e = AddDrive(L'E');
  const auto started = Clock::now();
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  const WindowState first = w.Read();
  const long long seenAfter = ElapsedMs(started);
  EXPECT_TRUE(first.IsBuilt()) << first << " seen " << seenAfter << " ms after start";

  // Focus starts in the list; Tab skips the disabled button and comes round to the list again.
  EXPECT_EQ(w.Focus(), w.deviceBox);
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return w.Focus() == w.rzBmpButton1; }, Ms(300)));
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return w.Focus() == w.deviceBox; }, Ms(300)));

  WaitForInk(w.label1);
  const Image shot = CaptureWindow(w.form);
  // Everything above must have happened before the first tick to mean anything.
  const WindowState still = w.Read();
  ASSERT_TRUE(still.IsBuilt()) << "the first tick came before the checks were done (" << ElapsedMs(started)
                               << " ms after start): " << still;
  SaveImage(shot, "built");

  bool ready = false;
  const WindowState later =
      w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({e.Root()}); }, kTick + kTickWithSlack, &ready);
  EXPECT_TRUE(ready) << "no tick after the built state: " << later;
}

TEST_F(MainWindowTest, NoRemovableDriveGivesTheRedPromptAndNothingToChoose) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  const WindowState s = w.WaitFor([](const WindowState& st) { return st.IsNoDrive(); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;
  ASSERT_TRUE(WaitForInk(w.label1));
  const TextColours ink = InkOf(w.label1);
  EXPECT_GT(ink.red, 20) << "the prompt is not drawn in red";
  EXPECT_EQ(ink.dark, 0) << "the prompt has black ink";
  SaveScreenshot("no-drive", w.form);

  // The hidden list and the disabled button take no focus: Tab reaches the picture button and stays there.
  ASSERT_EQ(Foreground(), w.form);
  PressKey(VK_TAB);
  EXPECT_TRUE(WaitUntil([&] { return w.Focus() == w.rzBmpButton1; }, Ms(500))) << "focus: " << Describe(w.Focus());
  PressKey(VK_TAB);
  EXPECT_FALSE(WaitUntil([&] { return w.Focus() != w.rzBmpButton1; }, Ms(300))) << "focus: " << Describe(w.Focus());
}

TEST_F(MainWindowTest, DrivesPluggedInAndOutWhileRunning) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  WindowState s = w.WaitFor([](const WindowState& st) { return st.IsNoDrive(); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;

  // Plugged in: ready at the next tick, with the drive selected and the prompt back in black.
  TestDrive& e = AddDrive(L'E');
  auto plugged = Clock::now();
  s = w.WaitFor([&](const WindowState& st) { return st.IsReadyWith({e.Root()}); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;
  std::printf("ready %lld ms after the drive was plugged in\n", ElapsedMs(plugged));
  ASSERT_TRUE(WaitUntil([&] { return InkOf(w.label1).dark > 20; }, Ms(1000))) << "the prompt is not drawn in black";
  EXPECT_EQ(InkOf(w.label1).red, 0);
  SaveScreenshot("ready", w.form);

  // A second one joins in system order, whichever came first.
  TestDrive& d = AddDrive(L'D');
  s = w.WaitFor([&](const WindowState& st) { return st.IsReadyWith({d.Root(), e.Root()}); }, kTickWithSlack, &reached);
  EXPECT_TRUE(reached) << s;

  d.Remove();
  s = w.WaitFor([&](const WindowState& st) { return st.IsReadyWith({e.Root()}); }, kTickWithSlack, &reached);
  EXPECT_TRUE(reached) << s;

  // The last one unplugged: back to the no-drive state.
  e.Remove();
  plugged = Clock::now();
  s = w.WaitFor([](const WindowState& st) { return st.IsNoDrive(); }, kTickWithSlack, &reached);
  EXPECT_TRUE(reached) << s;
  std::printf("no-drive state %lld ms after the last drive was unplugged\n", ElapsedMs(plugged));
}

TEST_F(MainWindowTest, OnlyRemovableDrivesAreListedInSystemOrder) {
  // Defined out of order; A:\ is passed over even when it is removable.
  const TestDrive& f = AddDrive(L'F');
  const TestDrive& e = AddDrive(L'E');
  AddDrive(L'G', DriveKind::Fixed);
  AddDrive(L'H', DriveKind::CdRom);
  AddDrive(L'A');
  ASSERT_EQ(::GetDriveTypeW(L"G:\\"), static_cast<UINT>(DRIVE_FIXED));
  ASSERT_EQ(::GetDriveTypeW(L"H:\\"), static_cast<UINT>(DRIVE_CDROM));
  ASSERT_EQ(::GetDriveTypeW(L"A:\\"), static_cast<UINT>(DRIVE_REMOVABLE));

  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  const WindowState s = w.WaitFor([](const WindowState& st) { return !st.IsBuilt(); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;
  EXPECT_TRUE(s.IsReadyWith({e.Root(), f.Root()})) << s;
  EXPECT_EQ(TextOf(w.deviceBox), e.Root());
}

TEST_F(MainWindowTest, UsersChoiceOfTheSecondDriveRevertsWithinATick) {
  const TestDrive& e = AddDrive(L'E');
  const TestDrive& f = AddDrive(L'F');
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  WindowState s = w.WaitFor(
      [&](const WindowState& st) {
        return st.IsReadyWith({e.Root(), f.Root()});
      },
      kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;

  // Open the list with the mouse and pick the second entry. A tick landing between the pick and our look would
  // hide the pick; then try again.
  bool picked = false;
  for (int attempt = 0; attempt < 3 && !picked; ++attempt) {
    Click(CenterOf(WindowRectOf(w.deviceBox)));
    const HWND list = WaitForTopLevel(App().Id(), L"ComboLBox", Ms(1000));
    ASSERT_NE(list, nullptr) << "the list did not drop down";
    const RECT client = ClientRectOnScreen(list);
    const auto itemHeight = static_cast<int>(::SendMessageW(w.deviceBox, CB_GETITEMHEIGHT, 0, 0));
    ASSERT_GT(itemHeight, 0);
    const auto clicked = Clock::now();
    Click(POINT{(client.left + client.right) / 2, client.top + itemHeight + itemHeight / 2});
    picked = WaitUntil([&] { return w.Read().selected == 1; }, Ms(300), Ms(2));
    if (!picked) continue;
    s = w.WaitFor(
        [&](const WindowState& st) {
          return st.IsReadyWith({e.Root(), f.Root()});
        },
        kTickWithSlack, &reached);
    EXPECT_TRUE(reached) << s;
    EXPECT_LE(ElapsedMs(clicked), kTick.count() + 300) << "the choice stayed for longer than a tick";
  }
  EXPECT_TRUE(picked) << "the click on the second entry never selected it";
}

TEST_F(MainWindowTest, TabOrderFollowsTheControlsAndSkipsTheHiddenList) {
  const TestDrive& e = AddDrive(L'E');
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool reached = false;
  const WindowState s =
      w.WaitFor([&](const WindowState& st) { return st.IsReadyWith({e.Root()}); }, kTickWithSlack, &reached);
  ASSERT_TRUE(reached) << s;
  ASSERT_EQ(Foreground(), w.form);

  const HWND forward[] = {w.deviceBox, w.saveButton, w.rzBmpButton1, w.deviceBox};
  EXPECT_EQ(w.Focus(), forward[0]);
  for (size_t i = 1; i < std::size(forward); ++i) {
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return w.Focus() == forward[i]; }, Ms(500))) << "Tab step " << i;
  }
  const HWND backward[] = {w.rzBmpButton1, w.saveButton, w.deviceBox};
  for (size_t i = 0; i < std::size(backward); ++i) {
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return w.Focus() == backward[i]; }, Ms(500))) << "Shift+Tab step " << i;
  }
}

TEST_F(MainWindowTest, ClientSizeAndCentredOnTheScreen) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  RECT client{};
  ::GetClientRect(w.form, &client);
  EXPECT_EQ(Width(client), 312);
  EXPECT_EQ(Height(client), 81);
  const RECT outer = WindowRectOf(w.form);
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(outer.left, (screenWidth - Width(outer)) / 2);
  EXPECT_EQ(outer.top, (screenHeight - Height(outer)) / 2);
}

TEST_F(MainWindowTest, TaskbarEntryIsTheApplicationWindowWithTheTitle) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  // The main window is owned, so it has no entry of its own.
  EXPECT_EQ(::GetWindowLongPtrW(w.form, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  const HWND app = ::GetWindow(w.form, GW_OWNER);
  ASSERT_NE(app, nullptr) << "the main window has no owner";
  EXPECT_EQ(::GetWindow(app, GW_OWNER), nullptr);
  EXPECT_TRUE(::IsWindowVisible(app));
  EXPECT_EQ(::GetWindowLongPtrW(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(TextOf(app), L"Загрузочный модуль QZ");
}

}  // namespace
}  // namespace qz::e2e
