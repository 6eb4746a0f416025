// The window's own controls as they show on the screen, read back pixel by pixel: the picture button's three
// pictures with the window's face showing through their pure white, the flat push button's bands, the flat
// drop-down list and its open list, the two-line hint, and the whole window at 120 pixels per inch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/screen.h"

namespace qz::e2e {
namespace {

constexpr Ms kTickWithSlack(1600);
constexpr std::uint32_t kHotTrackOrange = 0xF09B14;  // red 240, green 155, blue 20
constexpr std::uint32_t kPureWhite = 0xFFFFFF;

std::uint32_t SystemColour(int index) {
  const COLORREF c = ::GetSysColor(index);
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 | static_cast<std::uint32_t>(GetGValue(c)) << 8 |
         GetBValue(c);
}

int Lightness(std::uint32_t p) { return Red(p) + Green(p) + Blue(p); }

bool Orangeish(std::uint32_t p) {
  return Red(p) >= 230 && Green(p) >= 120 && Green(p) <= 215 && Blue(p) <= 160 && Red(p) - Blue(p) >= 90;
}

bool Ink(std::uint32_t p) { return Red(p) <= 100 && Green(p) <= 100 && Blue(p) <= 100; }

Image ClientImage(HWND hwnd) { return CaptureScreen(ClientRectOnScreen(hwnd)); }

// Waits until the control's client area, as shown, satisfies `test`; returns the last picture taken.
Image WaitForImage(HWND hwnd, const std::function<bool(const Image&)>& test, Ms limit, bool* reached) {
  Image last;
  *reached = WaitUntil([&] { return test(last = ClientImage(hwnd)); }, limit, Ms(20));
  return last;
}

// Moves the pointer and waits until the control shows `test`. Under Wine a pointer moved by a program can be put
// back by the X server's late report of where it was, which a window holding the mouse capture then hears last;
// the move is repeated until it sticks.
Image MoveUntil(POINT to, HWND hwnd, const std::function<bool(const Image&)>& test, bool* reached) {
  Image last;
  for (int attempt = 0; attempt < 6; ++attempt) {
    MovePointer(to);
    last = WaitForImage(hwnd, test, Ms(300), reached);
    if (*reached) break;
  }
  return last;
}

// A place for the pointer away from the window.
POINT Away(HWND form) {
  const RECT r = WindowRectOf(form);
  return POINT{std::max(2L, r.left - 40), std::max(2L, r.top - 40)};
}

// One of the button's pictures as the program carries it.
Image LoadPicture(const wchar_t* name) {
  Image image;
  const HMODULE module =
      ::LoadLibraryExW(LoaderExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!module) return image;
  const auto bitmap = static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap) {
    BITMAP bm{};
    ::GetObjectW(bitmap, sizeof bm, &bm);
    image.width = bm.bmWidth;
    image.height = bm.bmHeight;
    image.pixels.resize(static_cast<std::size_t>(bm.bmWidth) * static_cast<std::size_t>(bm.bmHeight));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), image.pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (std::uint32_t& p : image.pixels) p &= 0xFFFFFF;
    ::DeleteObject(bitmap);
  }
  ::FreeLibrary(module);
  return image;
}

// What the button must show: the picture with every pure-white pixel replaced by the window's face.
Image OverFace(const Image& picture, std::uint32_t face) {
  Image shown = picture;
  for (std::uint32_t& p : shown.pixels) {
    if (p == kPureWhite) p = face;
  }
  return shown;
}

int Differences(const Image& a, const Image& b) {
  if (a.width != b.width || a.height != b.height) return -1;
  int n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
  return n;
}

// Rows that carry ink, grouped into runs of neighbouring rows: one run per line of text.
int InkLines(const Image& image) {
  int lines = 0;
  bool previous = false;
  for (int y = 0; y < image.height; ++y) {
    bool any = false;
    for (int x = 0; x < image.width && !any; ++x) any = Ink(image.At(x, y));
    if (any && !previous) ++lines;
    previous = any;
  }
  return lines;
}

Image Crop(const Image& image, int left, int top, int width, int height) {
  Image part;
  part.width = width;
  part.height = height;
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) part.pixels.push_back(image.At(x, y));
  }
  return part;
}

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool operator==(const InkBox&) const = default;
};
InkBox InkBoxOf(const Image& image, const std::function<bool(std::uint32_t)>& ink) {
  InkBox b;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (!ink(image.At(x, y))) continue;
      b.left = std::min(b.left, x);
      b.top = std::min(b.top, y);
      b.right = std::max(b.right, x + 1);
      b.bottom = std::max(b.bottom, y + 1);
    }
  }
  return b;
}

using LookTest = LoaderTest;

TEST_F(LookTest, PictureButtonShowsTheFaceThroughItsWhiteFollowsThePointerAndHints) {
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  MovePointer(Away(w.form));
  const Image up = LoadPicture(L"INFO_UP");
  const Image hot = LoadPicture(L"INFO_HOT");
  const Image down = LoadPicture(L"INFO_DOWN");
  ASSERT_EQ(up.width, 32);
  ASSERT_EQ(std::count(up.pixels.begin(), up.pixels.end(), kPureWhite), 251);
  const std::uint32_t face = SystemColour(COLOR_BTNFACE);
  ASSERT_NE(face, kPureWhite);
  const RECT r = ClientRectOnScreen(w.rzBmpButton1);
  ASSERT_EQ(Width(r), 32);
  ASSERT_EQ(Height(r), 32);
  const auto showing = [face](const Image& picture) {
    return [&picture, face](const Image& i) { return Differences(i, OverFace(picture, face)) == 0; };
  };

  // At rest: Up, and at every pure-white pixel of the picture (corners, rim highlight, the dot) the face.
  bool ok = false;
  Image shown = WaitForImage(w.rzBmpButton1, showing(up), Ms(3000), &ok);
  EXPECT_TRUE(ok) << Differences(shown, OverFace(up, face)) << " pixels differ from Up over the face";
  int faceAtWhite = 0;
  for (std::size_t i = 0; i < up.pixels.size(); ++i) faceAtWhite += up.pixels[i] == kPureWhite && shown.pixels[i] == face;
  EXPECT_EQ(faceAtWhite, 251);
  SaveScreenshot("rest", w.form);

  // The pointer comes: Hot at once, and after 100 ms at rest the two-line hint on the hint colour.
  const auto entered = Clock::now();
  MovePointer(CenterOf(r));
  shown = WaitForImage(w.rzBmpButton1, showing(hot), Ms(1000), &ok);
  EXPECT_TRUE(ok) << Differences(shown, OverFace(hot, face)) << " pixels differ from Hot over the face";
  const HWND hint = WaitForTopLevel(App().Id(), L"THintWindow", Ms(2000));
  const long long hintAfter = ElapsedMs(entered);
  ASSERT_NE(hint, nullptr) << "no hint";
  std::printf("hint shown %lld ms after the pointer came\n", hintAfter);
  EXPECT_GE(hintAfter, 90);
  EXPECT_LT(hintAfter, 500) << "the hint took as long as the framework's default delay";
  EXPECT_EQ(TextOf(hint), L"Изменения в ПО\r(Adobe Reader)");
  Image tip;
  EXPECT_TRUE(WaitUntil([&] { tip = ClientImage(hint); return InkLines(tip) == 2; }, Ms(1000)))
      << InkLines(tip) << " lines of text in the hint";
  EXPECT_EQ(tip.At(0, 0), SystemColour(COLOR_INFOBK));
  SaveScreenshot("hint");

  // Pressed: Down; dragged off while held: Up; back: Down; released elsewhere: back to rest.
  LeftButton(true, CenterOf(r));
  shown = WaitForImage(w.rzBmpButton1, showing(down), Ms(1000), &ok);
  EXPECT_TRUE(ok) << Differences(shown, OverFace(down, face)) << " pixels differ from Down over the face";
  SaveScreenshot("pressed", w.form);
  MoveUntil(Away(w.form), w.rzBmpButton1, showing(up), &ok);
  EXPECT_TRUE(ok) << "not Up while held elsewhere";
  MoveUntil(CenterOf(r), w.rzBmpButton1, showing(down), &ok);
  EXPECT_TRUE(ok) << "not Down when back over it while held";
  MoveUntil(Away(w.form), w.rzBmpButton1, showing(up), &ok);
  LeftButton(false, Away(w.form));
  ::Sleep(300);
  EXPECT_EQ(Differences(ClientImage(w.rzBmpButton1), OverFace(up, face)), 0) << "not at rest after the release";
  // It has the focus now and still shows no focus mark.
  EXPECT_EQ(w.Focus(), w.rzBmpButton1);
}

TEST_F(LookTest, SaveButtonFlatWithTheOrangeBandUnderThePointerAndTheHighlightWithTheFocus) {
  TestDrive& e = AddDrive(L'E');
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  MovePointer(Away(w.form));
  bool ready = false;
  w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({e.Root()}); }, Ms(1000) + kTickWithSlack, &ready);
  ASSERT_TRUE(ready);
  const RECT r = ClientRectOnScreen(w.saveButton);
  const int W = Width(r);
  const int H = Height(r);
  ASSERT_EQ(W, 257);
  ASSERT_EQ(H, 33);
  const std::uint32_t face = SystemColour(COLOR_BTNFACE);
  const std::uint32_t shadow = SystemColour(COLOR_BTNSHADOW);
  const auto noOrange = [](const Image& i) { return std::none_of(i.pixels.begin(), i.pixels.end(), Orangeish); };

  // At rest: a frame darker than the system's shadow, a face lighter at the top and darker at the bottom than the
  // face colour, the caption centred, no band.
  bool ok = false;
  const Image rest = WaitForImage(
      w.saveButton, [&](const Image& i) { return Lightness(i.At(0, 0)) < Lightness(shadow) && noOrange(i); },
      Ms(2000), &ok);
  ASSERT_TRUE(ok) << "the enabled button at rest has no dark frame, or shows orange";
  for (const POINT p : {POINT{0, 0}, POINT{W - 1, 0}, POINT{0, H - 1}, POINT{W - 1, H - 1}, POINT{W / 2, H - 1}}) {
    EXPECT_EQ(rest.At(p.x, p.y), rest.At(0, 0)) << p.x << "," << p.y;
  }
  EXPECT_GT(Lightness(rest.At(2, 1)), Lightness(face));
  EXPECT_LT(Lightness(rest.At(2, H - 2)), Lightness(face));
  const InkBox caption = InkBoxOf(rest, Ink);
  ASSERT_GE(caption.right, 0) << "no caption";
  EXPECT_NEAR(caption.left + caption.right, W, 3) << "caption not centred across";
  EXPECT_NEAR(caption.top + caption.bottom, H, 3) << "caption not centred down";
  SaveScreenshot("rest", w.form);

  // Under the pointer: a two-pixel band just inside the frame, the pure orange at the bottom, paler at the top.
  MovePointer(CenterOf(r));
  const Image hot =
      WaitForImage(w.saveButton, [&](const Image& i) { return i.At(1, H - 2) == kHotTrackOrange; }, Ms(1000), &ok);
  ASSERT_TRUE(ok) << "no orange band under the pointer";
  EXPECT_EQ(hot.At(W / 2, H - 2), kHotTrackOrange);
  EXPECT_EQ(hot.At(2, H - 3), hot.At(1, H - 3));
  EXPECT_TRUE(Orangeish(hot.At(1, H / 2)) && Orangeish(hot.At(2, H / 2)) && Orangeish(hot.At(W - 2, H / 2)));
  EXPECT_FALSE(Orangeish(hot.At(3, H / 2))) << "the band is wider than two pixels";
  EXPECT_EQ(hot.At(0, H / 2), rest.At(0, H / 2)) << "the frame changed";
  const std::uint32_t top = hot.At(W / 2, 1);
  EXPECT_TRUE(Orangeish(top));
  EXPECT_GT(Lightness(top), Lightness(kHotTrackOrange) + 60) << "the band is not paler towards the top";
  SaveScreenshot("hot", w.form);

  // Pressed: a plain face a little darker than the face colour, no band, the caption where it was.
  LeftButton(true, CenterOf(r));
  const Image pressed = WaitForImage(
      w.saveButton, [&](const Image& i) { return noOrange(i) && i.At(2, 1) == i.At(2, H - 2); }, Ms(1000), &ok);
  EXPECT_TRUE(ok) << "not plain while pressed";
  EXPECT_EQ(pressed.At(1, 1), pressed.At(W / 2, H / 2 + 8));
  EXPECT_LT(Lightness(pressed.At(2, 1)), Lightness(face));
  EXPECT_GT(Lightness(pressed.At(2, 1)), Lightness(face) - 90);
  EXPECT_EQ(InkBoxOf(pressed, Ink), caption) << "the caption moved";
  SaveScreenshot("pressed", w.form);

  // Held but the pointer elsewhere: it has the focus, so the band in the highlight colour and a dotted frame.
  const std::uint32_t highlight = SystemColour(COLOR_HIGHLIGHT);
  const Image focused =
      MoveUntil(Away(w.form), w.saveButton, [&](const Image& i) { return i.At(1, H - 2) == highlight; }, &ok);
  EXPECT_TRUE(ok) << "no highlight band with the focus";
  int dotted = 0;
  for (int x = 4; x < W - 4; ++x) dotted += focused.At(x, 4) != focused.At(3, 4);
  EXPECT_NEAR(dotted, (W - 8) / 2, 2) << "no dotted focus frame";
  EXPECT_EQ(focused.At(3, 3), rest.At(3, 3)) << "the focus frame is not inside the band";
  SaveScreenshot("focused", w.form);
  LeftButton(false, Away(w.form));  // released elsewhere: no click, so no firmware is written and no box opens
  EXPECT_FALSE(WaitUntil([&] { return FindTopLevel(App().Id(), L"#32770") != nullptr; }, Ms(800)));

  // Disabled (the drive is gone): plain face, lighter frame, grey caption, and no band under the pointer.
  e.Remove();
  bool off = false;
  w.WaitFor([](const WindowState& s) { return s.IsNoDrive(); }, kTickWithSlack, &off);
  ASSERT_TRUE(off);
  MovePointer(CenterOf(r));
  const std::uint32_t grey = SystemColour(COLOR_GRAYTEXT);
  const Image disabled = WaitForImage(
      w.saveButton, [&](const Image& i) { return i.At(0, 0) == shadow && i.At(2, 1) == face; }, Ms(1000), &ok);
  EXPECT_TRUE(ok) << "not the disabled look";
  ::Sleep(300);
  const Image later = ClientImage(w.saveButton);
  EXPECT_TRUE(noOrange(later)) << "orange on the disabled button";
  EXPECT_EQ(later.At(2, H - 2), face);
  EXPECT_EQ(InkBoxOf(later, Ink).right, -1) << "black ink on the disabled button";
  // The grey text colour may be the frame's colour too: look inside the frame.
  InkBox greyCaption = InkBoxOf(Crop(later, 1, 1, W - 2, H - 2), [&](std::uint32_t p) { return p == grey; });
  greyCaption = {greyCaption.left + 1, greyCaption.top + 1, greyCaption.right + 1, greyCaption.bottom + 1};
  EXPECT_NEAR(greyCaption.left, caption.left, 1) << "the caption is not grey, or not where it was";
  EXPECT_NEAR(greyCaption.right, caption.right, 1);
  EXPECT_NEAR(greyCaption.top, caption.top, 1);
  EXPECT_NEAR(greyCaption.bottom, caption.bottom, 1);
  SaveScreenshot("disabled", w.form);
}

TEST_F(LookTest, DeviceBoxFlatFrameFlatButtonAndAnOpenListOfEightThirteenPixelEntries) {
  std::vector<TestDrive*> drives;
  for (wchar_t letter = L'E'; letter <= L'N'; ++letter) drives.push_back(&AddDrive(letter));
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  MovePointer(Away(w.form));
  bool ready = false;
  const WindowState s =
      w.WaitFor([&](const WindowState& st) { return st.items.size() == 10 && st.saveEnabled; },
                Ms(1000) + kTickWithSlack, &ready);
  ASSERT_TRUE(ready) << s;
  ASSERT_EQ(w.Focus(), w.deviceBox);
  const RECT r = ClientRectOnScreen(w.deviceBox);
  const int W = Width(r);
  const int H = Height(r);
  ASSERT_EQ(W, 177);
  ASSERT_EQ(H, 21);
  const std::uint32_t shadow = SystemColour(COLOR_BTNSHADOW);
  const std::uint32_t light = SystemColour(COLOR_BTNHIGHLIGHT);
  const std::uint32_t face = SystemColour(COLOR_BTNFACE);
  const std::uint32_t window = SystemColour(COLOR_WINDOW);
  const int left = W - 1 - ::GetSystemMetrics(SM_CXVSCROLL);  // the button's left column
  const auto frameOnly = [&](const Image& i) {
    for (int x = 0; x < W; ++x) {
      if (i.At(x, 0) != shadow || i.At(x, H - 1) != shadow) return false;
    }
    for (int y = 0; y < H; ++y) {
      if (i.At(0, y) != shadow || i.At(W - 1, y) != shadow) return false;
    }
    return i.At(1, 1) != shadow && i.At(2, H - 2) != shadow;
  };
  const auto raised = [&](const Image& i) {
    return i.At(left, 2) == light && i.At(W - 2, H / 2) == shadow && i.At(left + 2, 2) == face;
  };

  // With the focus: the one-pixel frame in the shadow colour, the button filled and raised.
  bool ok = false;
  Image shown = WaitForImage(w.deviceBox, [&](const Image& i) { return frameOnly(i) && raised(i); }, Ms(1000), &ok);
  EXPECT_TRUE(ok) << "no flat frame and raised button with the focus";
  SaveScreenshot("focused", w.form);

  // Neither focus nor pointer: only the small black arrow on the list's colour.
  PressKey(VK_TAB);
  const auto bare = [&](const Image& i) {
    int black = 0, other = 0;
    for (int y = 1; y < H - 1; ++y) {
      for (int x = left; x < W - 1; ++x) {
        const std::uint32_t p = i.At(x, y);
        if (p == 0) {
          ++black;
        } else if (p != window) {
          ++other;
        }
      }
    }
    return black == 16 && other == 0;
  };
  shown = WaitForImage(w.deviceBox, [&](const Image& i) { return frameOnly(i) && bare(i); }, Ms(1000), &ok);
  EXPECT_TRUE(ok) << "the button does not go flat without focus and pointer";
  SaveScreenshot("rest", w.form);

  // The pointer over it: the button shows again.
  MovePointer(CenterOf(r));
  WaitForImage(w.deviceBox, raised, Ms(1000), &ok);
  EXPECT_TRUE(ok) << "no raised button under the pointer";

  // Open: the button sunken; eight entries of 13 pixels and a scroll bar for the other two.
  Click(CenterOf(r));
  const HWND list = WaitForTopLevel(App().Id(), L"ComboLBox", Ms(1000));
  ASSERT_NE(list, nullptr) << "the list did not open";
  WaitForImage(w.deviceBox, [&](const Image& i) { return i.At(left, 2) == shadow && i.At(W - 2, H / 2) == light; },
               Ms(1000), &ok);
  EXPECT_TRUE(ok) << "the button is not sunken while the list is open";
  // The push button gives up its focus look to the list.
  const RECT saveRect = ClientRectOnScreen(w.saveButton);
  EXPECT_TRUE(WaitUntil([&] {
    const Image i = CaptureScreen(saveRect);
    return i.At(1, i.height - 2) != SystemColour(COLOR_HIGHLIGHT);
  }, Ms(1000)));
  const RECT outer = WindowRectOf(list);
  const RECT inner = ClientRectOnScreen(list);
  EXPECT_EQ(Height(inner), 8 * 13);
  EXPECT_LT(Width(inner), Width(outer) - 2 - 10) << "no scroll bar";
  const std::uint32_t highlight = SystemColour(COLOR_HIGHLIGHT);
  // The selected first entry: the highlight colour in every row (the dotted focus frame takes every other pixel
  // of its edges, so two neighbouring columns are looked at).
  const auto selectedRows = [&](const Image& i) {
    int rows = 0;
    for (int y = 0; y < i.height; ++y) rows += i.At(i.width / 2, y) == highlight || i.At(i.width / 2 + 1, y) == highlight;
    return rows;
  };
  Image open;
  EXPECT_TRUE(WaitUntil([&] { open = CaptureScreen(inner); return selectedRows(open) == 13; }, Ms(1000)))
      << "the first entry is not 13 pixels high: " << selectedRows(open);
  // Below it, seven more entries of dark text.
  EXPECT_EQ(InkLines(Crop(open, 0, 13, 40, open.height - 13)), 7);
  SaveScreenshot("open");
  PressKey(VK_ESCAPE);

  // With two drives left the open list fits them exactly.
  for (std::size_t i = 2; i < drives.size(); ++i) drives[i]->Remove();
  w.WaitFor([&](const WindowState& st) { return st.items.size() == 2; }, kTickWithSlack, &ready);
  ASSERT_TRUE(ready);
  Click(CenterOf(r));
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(list) && Height(ClientRectOnScreen(list)) == 2 * 13; },
                        Ms(1000)))
      << Height(ClientRectOnScreen(list));
  PressKey(VK_ESCAPE);
}

// Rows eight apart are alike on a plain face, whatever pattern the screen mixes a colour from; the columns looked
// at are left of the caption.
bool PlainRows(const Image& i, int first, int last) {
  for (int y = first; y + 8 <= last; ++y) {
    for (int x = 1; x < 24; ++x) {
      if (i.At(x, y) != i.At(x, y + 8)) return false;
    }
  }
  return true;
}

// Runs on a screen of 256 colours (tests/e2e/low_colour.sh gives it one); skipped on any other.
TEST_F(LookTest, At256ColoursTheSaveButtonHasAPlainFaceAndNoBands) {
  const HDC screen = ::GetDC(nullptr);
  const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
  ::ReleaseDC(nullptr, screen);
  if (bits > 8) {
    if (std::getenv("QZ_LOOK_LOW_COLOUR")) FAIL() << "the screen has " << bits << " bits per pixel, not 8";
    GTEST_SKIP() << "needs a screen of 256 colours or fewer (tests/e2e/low_colour.sh)";
  }
  TestDrive& e = AddDrive(L'E');
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  MovePointer(Away(w.form));
  bool ready = false;
  w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({e.Root()}); }, Ms(1000) + kTickWithSlack, &ready);
  ASSERT_TRUE(ready);
  const RECT r = ClientRectOnScreen(w.saveButton);
  const int H = Height(r);
  ::Sleep(300);
  const Image rest = ClientImage(w.saveButton);
  EXPECT_TRUE(PlainRows(rest, 1, H - 2)) << "the face is shaded";

  MovePointer(CenterOf(r));
  ASSERT_EQ(::WindowFromPoint(CenterOf(r)), w.saveButton);
  ::Sleep(400);
  const Image hot = ClientImage(w.saveButton);
  EXPECT_EQ(Differences(hot, rest), 0) << "the pointer changed the look";
  SaveScreenshot("hot", w.form);

  // The focus, with the pointer elsewhere: only the dotted frame, no band.
  MovePointer(Away(w.form));
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return w.Focus() == w.saveButton; }, Ms(1000)));
  Image focused;
  EXPECT_TRUE(WaitUntil([&] { focused = ClientImage(w.saveButton); return Differences(focused, rest) > 0; }, Ms(1000)))
      << "no focus frame";
  EXPECT_EQ(Differences(Crop(focused, 0, 0, focused.width, 4), Crop(rest, 0, 0, rest.width, 4)), 0)
      << "something above the focus frame changed: a band";
  SaveScreenshot("focused", w.form);
}

TEST_F(LookTest, At120PixelsPerInchTheWindowAndEveryControlGrowWithTheTextHeight) {
  // The program reads the density when it starts.
  const DWORD dpi = 120;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi,
                              sizeof dpi),
            ERROR_SUCCESS);
  TestDrive& e = AddDrive(L'E');
  const MainWindow w = StartAndWaitForWindow();
  ASSERT_TRUE(w.Complete());
  bool ready = false;
  w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({e.Root()}); }, Ms(1000) + kTickWithSlack, &ready);
  ASSERT_TRUE(ready);

  // The text height of the window font scaled to 120 pixels per inch (-11 * 120 / 96), on this system.
  LOGFONTW lf{};
  lf.lfHeight = -14;
  lf.lfCharSet = DEFAULT_CHARSET;
  ::lstrcpyW(lf.lfFaceName, L"MS Sans Serif");
  const HFONT font = ::CreateFontIndirectW(&lf);
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ old = ::SelectObject(dc, font);
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(font);
  const int text = tm.tmHeight;
  ASSERT_GT(text, 13) << "the scaled font is no taller than the design one, so nothing would grow";
  const auto s = [&](int design) { return ::MulDiv(design, text, 13); };

  const RECT client = ClientRectOnScreen(w.form);
  EXPECT_EQ(Width(client), s(312));
  EXPECT_EQ(Height(client), s(81));
  struct Expected {
    const char* name;
    HWND hwnd;
    int left, top, width, height;
  };
  const Expected controls[] = {
      {"DeviceBox", w.deviceBox, s(128), s(8), s(177), s(21)},
      {"SaveButton", w.saveButton, s(8), s(40), s(257), s(33)},
      {"RzBmpButton1", w.rzBmpButton1, s(272), s(40), s(32), s(32)},
      {"FullVer", w.fullVer, 0, s(81) - s(10), s(312), s(10)},
      {"Label1", w.label1, s(8), s(13), Width(WindowRectOf(w.label1)), text},
  };
  for (const Expected& c : controls) {
    const RECT r = WindowRectOf(c.hwnd);
    EXPECT_EQ(r.left - client.left, c.left) << c.name;
    EXPECT_EQ(r.top - client.top, c.top) << c.name;
    EXPECT_EQ(Width(r), c.width) << c.name;
    EXPECT_EQ(Height(r), c.height) << c.name;
  }
  // The picture grew with the button: white corners show the face, the disc stays blue.
  MovePointer(Away(w.form));
  const std::uint32_t face = SystemColour(COLOR_BTNFACE);
  bool ok = false;
  const Image badge = WaitForImage(
      w.rzBmpButton1,
      [&](const Image& i) {
        const std::uint32_t disc = i.At(i.width * 3 / 8, i.height * 13 / 16);
        return i.At(0, 0) == face && i.At(i.width - 1, i.height - 1) == face && Blue(disc) > Red(disc) + 60;
      },
      Ms(2000), &ok);
  EXPECT_TRUE(ok) << "the scaled badge does not show";
  SaveScreenshot("120dpi", w.form);
}

}  // namespace
}  // namespace qz::e2e
