#include "ui/window.h"

#include <new>

#include "ui/application.h"
#include "ui/exceptions.h"

namespace qz {

namespace {
constexpr const wchar_t* kSelfProperty = L"QZ.Window";

Window* FromHandle(HWND hwnd) { return static_cast<Window*>(::GetPropW(hwnd, kSelfProperty)); }
}  // namespace

Window::~Window() {
  if (hwnd_ && ::IsWindow(hwnd_)) {
    ::RemovePropW(hwnd_, kSelfProperty);
    if (systemProc_) ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
    ::DestroyWindow(hwnd_);
  }
}

std::wstring WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring Window::Text() const { return WindowText(hwnd_); }

void Window::SetText(const std::wstring& text) {
  if (Text() != text) ::SetWindowTextW(hwnd_, text.c_str());
}

void Window::SetEnabled(bool enabled) {
  if (Enabled() == enabled) return;
  if (!enabled) ReleaseFocusFrom(hwnd_);
  ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Window::SetVisible(bool visible) {
  if (Visible() == visible) return;
  if (!visible) ReleaseFocusFrom(hwnd_);
  ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void ReleaseFocusFrom(HWND control) {
  const HWND focus = ::GetFocus();
  if (focus && (focus == control || ::IsChild(control, focus))) {
    ::SetFocus(::GetAncestor(control, GA_ROOT));
  }
}

void Window::CreateOwn(const CreateParams& p) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (!::GetClassInfoExW(instance, p.className, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &Window::OwnProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = p.icon;
    wc.hIconSm = p.smallIcon;
    wc.hbrBackground = p.backgroundColor < 0 ? nullptr : ::GetSysColorBrush(p.backgroundColor);
    wc.lpszClassName = p.className;
    if (!::RegisterClassExW(&wc)) throw EOutOfResources(L"Cannot register window class");
  }
  const RECT& r = p.bounds;
  ::CreateWindowExW(p.exStyle, p.className, p.text, p.style, r.left, r.top, r.right - r.left,
                    r.bottom - r.top, p.parent, nullptr, instance, this);
  if (!hwnd_) throw EOutOfResources(L"Error creating window");
}

void Window::CreateSubclassed(const CreateParams& p) {
  const RECT& r = p.bounds;
  hwnd_ = ::CreateWindowExW(p.exStyle, p.className, p.text, p.style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, p.parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) throw EOutOfResources(L"Error creating window");
  ::SetPropW(hwnd_, kSelfProperty, this);
  systemProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProc)));
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
  if (systemProc_) return ::CallWindowProcW(systemProc_, hwnd_, msg, wp, lp);
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK Window::OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetPropW(hwnd, kSelfProperty, self);
  }
  Window* self = FromHandle(hwnd);
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::RemovePropW(hwnd, kSelfProperty);
    self->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
  return Dispatch(self, msg, wp, lp);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self = FromHandle(hwnd);
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    const WNDPROC system = self->systemProc_;
    ::RemovePropW(hwnd, kSelfProperty);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
    self->systemProc_ = nullptr;
    self->hwnd_ = nullptr;
    return ::CallWindowProcW(system, hwnd, msg, wp, lp);
  }
  return Dispatch(self, msg, wp, lp);
}

LRESULT Window::Dispatch(Window* self, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (const Exception& e) {
    Application->ShowException(e);
  } catch (const std::bad_alloc&) {
    Application->ShowException(EOutOfMemory(kOutOfMemory));
  } catch (const std::exception& e) {
    const std::string what = e.what();
    Application->ShowException(Exception(std::wstring(what.begin(), what.end())));
  }
  return 0;
}

}  // namespace qz
