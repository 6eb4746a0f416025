// The headless demonstration of ./run.sh: starts the program, waits for the demo stick to be listed, presses the
// write button as a user would, answers the two boxes and closes the window, saving a screenshot of each step.
//   demo.exe <QZLoader.exe> <folder for the screenshots>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "tests/e2e/driver/input.h"
#include "tests/e2e/driver/loader.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/process.h"
#include "tests/e2e/driver/screen.h"
#include "tests/e2e/driver/windows.h"

using namespace qz::e2e;

namespace {

std::wstring g_shots;

void Shot(const char* name, HWND window = nullptr) {
  const Image image = window ? CaptureWindow(window) : CaptureWholeScreen();
  const std::wstring path = g_shots + L"\\" + std::wstring(name, name + std::strlen(name)) + L".png";
  SavePng(image, path);
  std::printf("  screenshot: %s.png\n", name);
}

// One line of the console log, as UTF-8.
void Say(const std::wstring& line) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                         nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr, nullptr);
  std::printf("%s\n", bytes.c_str());
  std::fflush(stdout);
}

int Fail(const char* what) {
  std::printf("demo: %s\n", what);
  return 1;
}

// Reads, saves and answers the next box of the program.
bool AnswerBox(const Process& app, const char* shotName) {
  const auto box = WaitForMessageBox(app.Id(), Ms(15000));
  if (!box) return false;
  Say(L"  box \"" + box->title + L"\": " + box->text);
  Shot(shotName, box->hwnd);
  return ClickBoxButton(*box, IDOK);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return Fail("usage: demo.exe <QZLoader.exe> <screenshot folder>");
  g_shots = argv[2];
  WarmUpDesktop();
  Process app(argv[1], L"C:\\");
  const HWND form = WaitForTopLevel(app.Id(), L"TForm", Ms(20000));
  if (!form) return Fail("the window did not appear");
  const MainWindow window(form);
  bool ready = false;
  const WindowState state = window.WaitFor([](const WindowState& s) { return !s.items.empty(); }, Ms(10000), &ready);
  if (!ready) return Fail("the demo stick was not listed");
  Say(L"  the window lists " + state.items.front() + L" and offers to write");
  Shot("1-ready", form);

  Click(CenterOf(WindowRectOf(window.saveButton)));
  if (!AnswerBox(app, "2-success")) return Fail("no success box");
  if (!AnswerBox(app, "3-warning")) return Fail("no warning box");
  Shot("4-after", form);
  ::PostMessageW(form, WM_CLOSE, 0, 0);
  const auto code = app.WaitForExit(Ms(10000));
  std::printf("  the program closed with exit code %lu\n", code ? *code : 999ul);
  return code && *code == 0 ? 0 : 1;
}
