// Looking at another program's windows the way accessibility tools do: by process, class, order and text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace qz::e2e {

// Top-level windows of a process, in Z order (topmost first).
std::vector<HWND> TopLevelWindows(DWORD processId);
// The first visible top-level window of the process with that class (and caption, when given); nullptr if none.
HWND FindTopLevel(DWORD processId, const std::wstring& className, const std::wstring* caption = nullptr);
// Waits for it; nullptr when it did not appear within `limit`.
HWND WaitForTopLevel(DWORD processId, const std::wstring& className, Ms limit);

// The direct children of a window in Z order. Children are linked at the bottom as they are created, so unless a
// program reorders them this is their creation order.
std::vector<HWND> Children(HWND parent);
// The n-th (from 0) direct child of that class, in Z order; nullptr if there is none.
HWND ChildOfClass(HWND parent, const std::wstring& className, int n = 0);

std::wstring ClassOf(HWND hwnd);
// The text through WM_GETTEXT, as another program reads it.
std::wstring TextOf(HWND hwnd);
RECT WindowRectOf(HWND hwnd);
// The client area in screen coordinates.
RECT ClientRectOnScreen(HWND hwnd);
POINT CenterOf(const RECT& r);
int Width(const RECT& r);
int Height(const RECT& r);

struct ComboContents {
  std::vector<std::wstring> items;
  int selected = -1;  // CB_ERR (-1) when nothing is selected
};
ComboContents ReadCombo(HWND combo);

// One line about a window (class, text, place, state), and the same for a window and its direct children: for
// failure messages.
std::string Describe(HWND hwnd);
std::string DescribeTree(HWND top);

// The window with the keyboard focus in the thread that owns `anyWindowOfThread`.
HWND FocusOf(HWND anyWindowOfThread);
// The foreground window of the desktop.
HWND Foreground();

}  // namespace qz::e2e
