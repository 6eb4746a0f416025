// Message boxes of a program under test: found, read (title, text, icon, buttons) and answered as a user would.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/wait.h"

namespace qz::e2e {

enum class BoxIcon { None, Error, Warning, Information, Question, Unknown };
const char* NameOf(BoxIcon icon);

struct BoxButton {
  int id;
  std::wstring text;
  HWND hwnd;
};

struct MessageBoxView {
  HWND hwnd = nullptr;
  HWND owner = nullptr;
  std::wstring title;
  std::wstring text;
  BoxIcon icon = BoxIcon::None;
  std::vector<BoxButton> buttons;

  const BoxButton* Button(int id) const;
};

// The first visible dialog-class window (#32770) of the process; waits up to `limit` for it.
std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, Ms limit);
MessageBoxView ReadMessageBox(HWND box);
// Clicks the button with that id with the mouse and waits up to `limit` for the box to go; false if it stayed.
bool ClickBoxButton(const MessageBoxView& box, int id, Ms limit = Ms(3000));

}  // namespace qz::e2e
