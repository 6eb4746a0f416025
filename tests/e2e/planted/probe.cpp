// Imports comctl32 the ordinary way, so the system searches for it starting in this program's folder.
#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ::InitCommonControls();
  return 0;
}
