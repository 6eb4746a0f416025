// The bed itself: the drives a test defines are what programs see, and screenshots show what is on the screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver/bed.h"
#include "tests/e2e/driver/png.h"
#include "tests/e2e/driver/screen.h"
#include "tests/e2e/driver/wait.h"

namespace qz::e2e {
namespace {

std::wstring DriveList() {
  wchar_t block[512] = {};
  const DWORD n = ::GetLogicalDriveStringsW(511, block);
  std::wstring list;
  for (DWORD i = 0; i < n; ++i) list += block[i] ? block[i] : L' ';
  return list;
}

using TestbedTest = BedTest;

TEST_F(TestbedTest, PrefixStartsWithOnlyItsOwnDrives) { EXPECT_EQ(DriveList(), L"C:\\ Z:\\ "); }

// Programs run on one virtual desktop that fills the X screen (frames drawn as Windows draws them): where no window
// is, the screen shows the desktop's colour, not the bare X screen.
TEST_F(TestbedTest, ScreenIsTheVirtualDesktop) {
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), 768);
  const COLORREF c = ::GetSysColor(COLOR_DESKTOP);
  const std::uint32_t desktop = static_cast<std::uint32_t>(GetRValue(c)) << 16 |
                                static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
  std::uint32_t seen = 0;
  EXPECT_TRUE(WaitUntil([&] { return (seen = CaptureScreen(RECT{1020, 764, 1024, 768}).At(2, 2)) == desktop; },
                        Ms(3000)))
      << std::hex << "screen 0x" << seen << ", desktop colour 0x" << desktop;
}

TEST_F(TestbedTest, DrivesOfEachKindComeAndGoWhileRunning) {
  struct Case {
    wchar_t letter;
    DriveKind kind;
    UINT type;
  };
  const Case cases[] = {{L'E', DriveKind::Removable, DRIVE_REMOVABLE},
                        {L'F', DriveKind::Fixed, DRIVE_FIXED},
                        {L'G', DriveKind::CdRom, DRIVE_CDROM}};
  for (const Case& c : cases) {
    TestDrive& drive = AddDrive(c.letter, c.kind);
    EXPECT_EQ(::GetDriveTypeW(drive.Root().c_str()), c.type) << static_cast<char>(c.letter);
    EXPECT_NE(DriveList().find(drive.Root()), std::wstring::npos);
    // The backing folder is the drive: a file written on one side shows on the other.
    const std::wstring file = drive.Root() + L"probe.txt";
    const HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (c.kind != DriveKind::CdRom) {
      EXPECT_NE(h, INVALID_HANDLE_VALUE) << static_cast<char>(c.letter);
    }
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    drive.Remove();
    EXPECT_EQ(::GetDriveTypeW(drive.Root().c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(DriveList().find(drive.Root()), std::wstring::npos);
  }
  EXPECT_EQ(testbed::RemoveDrive(L'E'), static_cast<DWORD>(433)) << "removing an unknown letter succeeded";
}

// A window of our own painted in known colours, read back from the screen.
TEST_F(TestbedTest, CapturedPixelsAreWhatWasDrawn) {
  const HWND window = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 120, 40, 30, nullptr,
                                        nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  auto paint = [&] {
    const HDC dc = ::GetDC(window);
    RECT left{0, 0, 20, 30}, right{20, 0, 40, 30};
    const HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0)), blue = ::CreateSolidBrush(RGB(0, 0, 255));
    ::FillRect(dc, &left, red);
    ::FillRect(dc, &right, blue);
    ::DeleteObject(red);
    ::DeleteObject(blue);
    ::ReleaseDC(window, dc);
  };
  bool shown = WaitUntil(
      [&] {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        paint();
        const Image image = CaptureScreen(RECT{100, 120, 140, 150});
        return image.At(5, 5) == 0xFF0000u && image.At(35, 25) == 0x0000FFu;
      },
      Ms(3000));
  EXPECT_TRUE(shown) << "the screen does not show the colours drawn";
  const Image whole = CaptureWholeScreen();
  EXPECT_EQ(whole.width, ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(whole.At(110, 130), 0xFF0000u);
  ::DestroyWindow(window);
}

// Writes a pattern that the suite's PNG check reads back with an independent decoder.
TEST_F(TestbedTest, PngPatternForTheDecoderCheck) {
  Image image;
  image.width = 300;  // 300 x 100 x 3 bytes: more than one stored deflate block
  image.height = 100;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      image.pixels.push_back(static_cast<std::uint32_t>(x % 256) << 16 | static_cast<std::uint32_t>(y * 2) << 8 |
                             static_cast<std::uint32_t>((x + y) % 256));
    }
  }
  SaveImage(image);
  // Known check values of the two checksums.
  const std::string text = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0xCBF43926u);
  EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), 0x091E01DEu);
}

}  // namespace
}  // namespace qz::e2e
