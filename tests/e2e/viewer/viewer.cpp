// A stand-in PDF viewer for the test bed: registered as the program for PDF documents in a test's prefix, it
// records how it was started and, when asked, keeps the document open without sharing, as a viewer that locks
// its file does.
//
// Every start appends lines (UTF-8) to its log: QZ_VIEWER_LOG, or viewer.log next to the executable.
//   command <the whole command line>
//   holding <path>                  the document is open without sharing (only with QZ_VIEWER_HOLD)
//   cannot-open <error> <path>      it could not be opened so
//   released <path>                 the hold is over and the document closed
// QZ_VIEWER_HOLD=<seconds>: open the document named by the first argument without sharing and keep it that long,
// taking messages meanwhile like any idle window program.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t buffer[2048] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, buffer, 2048);
  return length > 0 && length < 2048 ? std::wstring(buffer, length) : std::wstring();
}

std::wstring LogPath() {
  std::wstring path = Environment(L"QZ_VIEWER_LOG");
  if (!path.empty()) return path;
  wchar_t exe[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
  path.assign(exe, length);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"viewer.log";
}

// One line per call, appended whole; the log is shared with other starts of the viewer and with the test reading it.
void Log(const std::wstring& line) {
  const HANDLE file = ::CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string bytes = Utf8(line) + "\n";
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

// Waits `seconds` while taking messages, so that whoever waits for this program to become idle is not held up.
void IdleFor(unsigned long seconds) {
  const ULONGLONG end = ::GetTickCount64() + seconds * 1000ULL;
  for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  MSG msg;
  ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // a message queue, as a window program has
  const wchar_t* commandLine = ::GetCommandLineW();
  Log(std::wstring(L"command ") + commandLine);

  const std::wstring hold = Environment(L"QZ_VIEWER_HOLD");
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(commandLine, &argc);
  if (hold.empty() || !argv || argc < 2) {
    ::LocalFree(argv);
    return 0;
  }
  const std::wstring document = argv[1];
  ::LocalFree(argv);

  const HANDLE file = ::CreateFileW(document.c_str(), GENERIC_READ, 0 /* no sharing */, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Log(L"cannot-open " + std::to_wstring(::GetLastError()) + L" " + document);
    return 1;
  }
  Log(L"holding " + document);
  IdleFor(std::wcstoul(hold.c_str(), nullptr, 10));
  ::CloseHandle(file);
  Log(L"released " + document);
  return 0;
}
