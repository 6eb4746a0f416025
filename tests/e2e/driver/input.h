// Mouse and keyboard input as a user gives it: through the system's input queue, to whatever is under the pointer
// or has the focus, never as messages posted to a chosen window.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace qz::e2e {

// Moves the pointer to a point of the screen.
void MovePointer(POINT screen);
// Presses or releases the left button at a point of the screen (a drag needs the two apart).
void LeftButton(bool down, POINT screen);

// Moves there and presses and releases the left button.
void Click(POINT screen);
// Presses the keys in order and releases them in reverse order (e.g. {VK_MENU, VK_F4}).
void PressKeys(std::initializer_list<WORD> keys);
inline void PressKey(WORD key) { PressKeys({key}); }

}  // namespace qz::e2e
