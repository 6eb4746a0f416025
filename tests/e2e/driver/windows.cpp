#include "tests/e2e/driver/windows.h"

#include "tools/testbed/mountmgr.h"

namespace qz::e2e {

namespace {
// Messages to another program never block a test for long, even when that program hangs.
constexpr UINT kSendLimitMs = 2000;

LRESULT Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendLimitMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> windows;
};

// Class names compare without regard to case, as the system compares them ("COMBOBOX" is "ComboBox").
bool SameClass(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lp) {
  auto* found = reinterpret_cast<ProcessWindows*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == found->processId) found->windows.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
  ProcessWindows found{processId, {}};
  ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&found));
  return found.windows;
}

HWND FindTopLevel(DWORD processId, const std::wstring& className, const std::wstring* caption) {
  for (HWND hwnd : TopLevelWindows(processId)) {
    if (!::IsWindowVisible(hwnd) || !SameClass(ClassOf(hwnd), className)) continue;
    if (caption && TextOf(hwnd) != *caption) continue;
    return hwnd;
  }
  return nullptr;
}

HWND WaitForTopLevel(DWORD processId, const std::wstring& className, Ms limit) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevel(processId, className)) != nullptr; }, limit, Ms(5));
  return found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

HWND ChildOfClass(HWND parent, const std::wstring& className, int n) {
  for (HWND child : Children(parent)) {
    if (SameClass(ClassOf(child), className) && n-- == 0) return child;
  }
  return nullptr;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(hwnd, name, 256);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring TextOf(HWND hwnd) {
  const LRESULT length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

RECT WindowRectOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientRectOnScreen(HWND hwnd) {
  RECT r{};
  ::GetClientRect(hwnd, &r);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT CenterOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

ComboContents ReadCombo(HWND combo) {
  ComboContents contents;
  const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring item(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    contents.items.push_back(item);
  }
  contents.selected = static_cast<int>(Send(combo, CB_GETCURSEL, 0, 0));
  return contents;
}

std::string Describe(HWND hwnd) {
  std::string out = testbed::ToUtf8(ClassOf(hwnd)) + " \"" + testbed::ToUtf8(TextOf(hwnd)) + "\"";
  const RECT r = WindowRectOf(hwnd);
  out += " at " + std::to_string(r.left) + "," + std::to_string(r.top) + " size " + std::to_string(Width(r)) + "x" +
         std::to_string(Height(r));
  if (!::IsWindowVisible(hwnd)) out += " hidden";
  if (!::IsWindowEnabled(hwnd)) out += " disabled";
  return out;
}

std::string DescribeTree(HWND top) {
  std::string out = Describe(top) + "\n";
  for (HWND child : Children(top)) out += "  " + Describe(child) + "\n";
  return out;
}

HWND FocusOf(HWND anyWindowOfThread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND Foreground() { return ::GetForegroundWindow(); }

}  // namespace qz::e2e
