// A stand-in comctl32.dll for the planted-DLL test: when a process loads it, it leaves the file comctl32.loaded
// next to itself. Its exports are stubs of the functions a program most commonly imports from the real one.
#include <windows.h>

#include <string>

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(instance, path, MAX_PATH);
    std::wstring marker(path, n);
    marker = marker.substr(0, marker.find_last_of(L'\\') + 1) + L"comctl32.loaded";
    HANDLE file = ::CreateFileW(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      wchar_t exe[MAX_PATH] = {};
      const DWORD len = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
      DWORD written = 0;
      ::WriteFile(file, exe, len * sizeof(wchar_t), &written, nullptr);
      ::CloseHandle(file);
    }
  }
  return TRUE;
}

void WINAPI InitCommonControls() {}
BOOL WINAPI InitCommonControlsEx(const void*) { return TRUE; }

}  // extern "C"
