#include "tests/e2e/driver/input.h"

#include <thread>
#include <vector>

namespace qz::e2e {

namespace {
// A person's press lasts a moment; some controls look at the state between down and up.
constexpr auto kPressPause = std::chrono::milliseconds(30);

void SendMouse(DWORD flags, POINT screen) {
  // Absolute coordinates are given in 1/65535 of the primary screen.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<long long>(screen.x) * 65535 + width / 2) / (width - 1));
  input.mi.dy = static_cast<LONG>((static_cast<long long>(screen.y) * 65535 + height / 2) / (height - 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &input, sizeof input);
}

void SendKey(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}
}  // namespace

void MovePointer(POINT screen) {
  ::SetCursorPos(screen.x, screen.y);
  SendMouse(0, screen);
  std::this_thread::sleep_for(kPressPause);
}

void LeftButton(bool down, POINT screen) { SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, screen); }

void Click(POINT screen) {
  MovePointer(screen);
  SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
  std::this_thread::sleep_for(kPressPause);
  SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void PressKeys(std::initializer_list<WORD> keys) {
  const std::vector<WORD> order(keys);
  for (WORD key : order) {
    SendKey(key, false);
    std::this_thread::sleep_for(kPressPause);
  }
  for (auto it = order.rbegin(); it != order.rend(); ++it) SendKey(*it, true);
}

}  // namespace qz::e2e
