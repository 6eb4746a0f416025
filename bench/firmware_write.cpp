// How long the write button takes, from the click to the success box, against a plain system copy of the same
// bytes to the same drive in the same run; and how big the executable is beyond its two payloads.
// Printed figures only: nothing here passes or fails.
//
//   tools/testbed/wine-run build/win64/bench/bench_firmware_write.exe [rounds] [other.exe ...]
//
// Each further executable (a Windows path, e.g. Z:\work\main\build\win\app\QZLoader.exe for the 32-bit product)
// has its size reported the same way.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"
#include "bench/ready_window.h"

using namespace qz::e2e;

namespace {

const wchar_t* const kSuccessTitle = L"Процесс завершен";
const wchar_t* const kWarningTitle = L"Предупреждение";

struct Figures {
  double min, median, max;
};

Figures Summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return Figures{ms.front(), ms[ms.size() / 2], ms.back()};
}

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// The box of the program with that title, once it shows; nullptr after the limit.
HWND WaitForBox(DWORD processId, const wchar_t* title, Ms limit) {
  HWND found = nullptr;
  const std::wstring wanted = title;
  WaitUntil([&] { return (found = FindTopLevel(processId, L"#32770", &wanted)) != nullptr; }, limit, Ms(1));
  return found;
}

bool CloseBox(HWND box) { return ClickBoxButton(ReadMessageBox(box), IDOK); }

void ReportSize(const std::wstring& exe, long long payloads) {
  const long long size = FileSize(exe);
  if (size < 0) {
    std::printf("  %ls: cannot be read\n", exe.c_str());
    return;
  }
  std::printf("  %ls: %lld bytes; beyond its payloads (%lld bytes): %lld bytes\n", exe.c_str(), size, payloads,
              size - payloads);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  const std::string root = LinuxPathFromEnvironment(L"QZ_TESTBED_ROOT");
  if (root.empty()) {
    std::fprintf(stderr, "run it through tools/testbed/wine-run\n");
    return 2;
  }
  const std::wstring driveFolder = WindowsPathOf(root + "/bench-drive");
  const std::wstring programFolder = WindowsPathOf(root + "/bench-program") + L"\\";
  ::CreateDirectoryW(driveFolder.c_str(), nullptr);
  ::CreateDirectoryW(programFolder.c_str(), nullptr);
  TestDrive drive(L'E', root + "/bench-drive", DriveKind::Removable);
  const std::wstring exe = programFolder + L"QZLoader.exe";
  if (!::CopyFileW(LoaderExe().c_str(), exe.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy the program: error %lu\n", ::GetLastError());
    return 1;
  }

  WarmUpDesktop();
  Process app(exe, programFolder);
  const std::optional<MainWindow> readyWindow = qz::bench::WaitUntilReady(app, drive.Root());
  if (!readyWindow) return 1;
  const MainWindow& w = *readyWindow;

  std::vector<double> clickToSuccess;
  for (int i = 0; i < rounds; ++i) {
    const auto start = Clock::now();
    Click(CenterOf(WindowRectOf(w.saveButton)));
    const HWND success = WaitForBox(app.Id(), kSuccessTitle, Ms(30000));
    const double elapsed = MsSince(start);
    if (!success) {
      std::fprintf(stderr, "round %d: no success box\n", i + 1);
      return 1;
    }
    clickToSuccess.push_back(elapsed);
    CloseBox(success);
    const HWND warning = WaitForBox(app.Id(), kWarningTitle, Ms(5000));
    if (!warning || !CloseBox(warning)) {
      std::fprintf(stderr, "round %d: no warning box\n", i + 1);
      return 1;
    }
    w.WaitFor([](const WindowState& s) { return s.saveEnabled; }, Ms(2000));
  }

  // The same bytes, from the program folder's copy to the same drive, by the system alone.
  const std::wstring source = programFolder + L"QZ1769_m.dat";
  const std::wstring target = drive.Root() + L"plain-copy.dat";
  std::vector<double> plainCopy;
  for (int i = 0; i < rounds; ++i) {
    ::DeleteFileW(target.c_str());
    const auto start = Clock::now();
    const BOOL copied = ::CopyFileW(source.c_str(), target.c_str(), FALSE);
    const double elapsed = MsSince(start);
    if (!copied) {
      std::fprintf(stderr, "plain copy failed: error %lu\n", ::GetLastError());
      return 1;
    }
    plainCopy.push_back(elapsed);
  }
  // The same, with the flush that the program does before it reads the file back.
  std::vector<double> copyAndFlush;
  for (int i = 0; i < rounds; ++i) {
    ::DeleteFileW(target.c_str());
    const auto start = Clock::now();
    BOOL done = ::CopyFileW(source.c_str(), target.c_str(), FALSE);
    const HANDLE h = ::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    done = done && h != INVALID_HANDLE_VALUE && ::FlushFileBuffers(h);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    const double elapsed = MsSince(start);
    if (!done) {
      std::fprintf(stderr, "copy and flush failed: error %lu\n", ::GetLastError());
      return 1;
    }
    copyAndFlush.push_back(elapsed);
  }
  ::DeleteFileW(target.c_str());

  // What the click and a box cost by themselves: a drive without a medium fails at once and shows its box.
  std::vector<double> clickToErrorBox;
  {
    TestDrive empty(L'F', root + "/no-medium", DriveKind::Removable);
    w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({drive.Root(), empty.Root()}); }, Ms(5000));
    drive.Remove();
    bool ready = false;
    w.WaitFor([&](const WindowState& s) { return s.IsReadyWith({empty.Root()}); }, Ms(5000), &ready);
    for (int i = 0; ready && i < rounds; ++i) {
      const auto start = Clock::now();
      Click(CenterOf(WindowRectOf(w.saveButton)));
      const HWND box = WaitForBox(app.Id(), L"Ошибка записи", Ms(30000));
      const double elapsed = MsSince(start);
      if (!box) break;
      clickToErrorBox.push_back(elapsed);
      CloseBox(box);
      w.WaitFor([](const WindowState& s) { return s.saveEnabled; }, Ms(2000));
    }
  }

  const long long firmware = FileSize(WindowsPathOf(QZ_BENCH_FIRMWARE));
  const long long changes = FileSize(WindowsPathOf(QZ_BENCH_CHANGES));
  const Figures a = Summarise(clickToSuccess);
  const Figures b = Summarise(plainCopy);
  std::printf("firmware write, %lld-byte image, drive %ls, %d rounds (this build, under Wine)\n", firmware,
              drive.Root().c_str(), rounds);
  std::printf("  click to success box: min %.1f ms, median %.1f ms, max %.1f ms\n", a.min, a.median, a.max);
  std::printf("  plain CopyFileW of the same bytes to the same drive: min %.1f ms, median %.1f ms, max %.1f ms\n",
              b.min, b.median, b.max);
  const Figures c = Summarise(copyAndFlush);
  std::printf("  the same copy followed by a flush to the device: min %.1f ms, median %.1f ms, max %.1f ms\n", c.min,
              c.median, c.max);
  if (!clickToErrorBox.empty()) {
    const Figures d = Summarise(clickToErrorBox);
    std::printf("  click to the write-error box of a drive without a medium (input and box alone): min %.1f ms, "
                "median %.1f ms, max %.1f ms\n",
                d.min, d.median, d.max);
  }
  std::printf("executable size beyond the payloads (firmware %lld + change list %lld bytes)\n", firmware, changes);
  ReportSize(exe, firmware + changes);
  for (int i = 2; i < argc; ++i) {
    std::wstring other;
    for (const char* p = argv[i]; *p; ++p) other.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    ReportSize(other, firmware + changes);
  }
  ::PostMessageW(w.form, WM_CLOSE, 0, 0);
  app.WaitForExit(Ms(5000));
  return 0;
}
