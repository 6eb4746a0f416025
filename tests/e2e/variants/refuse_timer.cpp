// Test build of the program whose timer request the system refuses, to see start-up fail before the window opens.
#include <windows.h>

#include "ui/timer.h"

namespace {

UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) { return 0; }

const bool kRefusing = [] {
  qz::testing::setTimer = &RefuseTimer;
  return true;
}();

}  // namespace
