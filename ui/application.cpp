#include "ui/application.h"

#include <algorithm>

#include "ui/form.h"
#include "ui/hint_window.h"
#include "ui/presentation.h"

namespace qz {

TApplication* Application = nullptr;

namespace {
constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

std::wstring ModuleFileName() {
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full(path, length);
  const size_t cut = full.find_last_of(L"\\:");
  return cut == std::wstring::npos ? full : full.substr(cut + 1);
}

struct Disabler {
  HWND keep;
  std::vector<HWND> windows;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lp) {
  auto* d = reinterpret_cast<Disabler*>(lp);
  if (hwnd != d->keep && ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd)) {
    d->windows.push_back(hwnd);
    ::EnableWindow(hwnd, FALSE);
  }
  return TRUE;
}

HICON LoadMainIcon(int size) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, size, size, 0));
}
}  // namespace

// The zero-sized window that owns the program's other windows and carries its taskbar entry.
class TApplication::AppWindow : public Window {
public:
  explicit AppWindow(TApplication& app) : app_(app) {
    CreateParams p;
    p.className = L"TApplication";
    p.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
    p.icon = LoadMainIcon(::GetSystemMetrics(SM_CXICON));
    p.smallIcon = LoadMainIcon(::GetSystemMetrics(SM_CXSMICON));
    const int x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
    p.bounds = RECT{x, y, x, y};
    CreateOwn(p);
  }

protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_TIMER:
        app_.HintTimerFired(wp);
        return 0;
      case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_RESTORE) {
          const LRESULT r = Default(msg, wp, lp);
          if (app_.mainForm_) app_.mainForm_->Restore();
          return r;
        }
        if ((wp & 0xFFF0) == SC_CLOSE && app_.mainForm_) {
          ::PostMessageW(app_.mainForm_->Handle(), WM_CLOSE, 0, 0);
          return 0;
        }
        return Default(msg, wp, lp);
      case WM_ACTIVATE:
        // The taskbar entry hands activation on to the main window.
        if (LOWORD(wp) != WA_INACTIVE && !::IsIconic(Handle()) && app_.mainForm_ &&
            ::IsWindowEnabled(app_.mainForm_->Handle()) && ::IsWindowVisible(app_.mainForm_->Handle())) {
          ::SetActiveWindow(app_.mainForm_->Handle());
          return 0;
        }
        return Default(msg, wp, lp);
      case WM_CLOSE:
        if (app_.mainForm_) ::PostMessageW(app_.mainForm_->Handle(), WM_CLOSE, 0, 0);
        return 0;
      default:
        return Default(msg, wp, lp);
    }
  }

private:
  TApplication& app_;
};

TApplication::TApplication() : window_(std::make_unique<AppWindow>(*this)) {}

TApplication::~TApplication() {
  forms_.clear();
  hint_.reset();
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  window_->SetText(title);
}

HWND TApplication::Handle() const { return window_->Handle(); }

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
  TForm* raw = form.get();
  forms_.push_back(std::move(form));
  if (!mainForm_) mainForm_ = raw;
  raw->DoCreate();
}

void TApplication::Run() {
  if (!mainForm_) return;
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
  mainForm_->Show();
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

bool TApplication::PreTranslate(const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE && hintControl_ && msg.hwnd != hintControl_) HintPointerLeft(hintControl_);
  if (msg.message == WM_KEYDOWN || msg.message == WM_LBUTTONDOWN || msg.message == WM_RBUTTONDOWN) {
    if (hintControl_) HintPointerLeft(hintControl_);
  }
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && ::GetKeyState(VK_MENU) >= 0 &&
      ::GetKeyState(VK_CONTROL) >= 0) {
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    for (const auto& form : forms_) {
      if (form->Handle() == root) {
        form->SelectNext(::GetKeyState(VK_SHIFT) < 0);
        return true;
      }
    }
  }
  return false;
}

void TApplication::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
  if (hintControl_) HintPointerLeft(hintControl_);
  const HWND active = ::GetActiveWindow();
  Disabler disabler{Handle(), {}};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&disabler));
  ::MessageBoxW(Handle(), text.c_str(), caption.c_str(), flags);
  for (const HWND hwnd : disabler.windows) {
    if (::IsWindow(hwnd)) ::EnableWindow(hwnd, TRUE);
  }
  if (active && ::IsWindow(active)) ::SetActiveWindow(active);
}

void TApplication::ShowException(const Exception& e) {
  ShowMessageBox(PresentedMessage(e.Message()), title_, MB_OK | MB_ICONERROR);
}

void TApplication::ShowLastResort(const Exception& e) {
  const std::wstring text = LastResortReport(e.ClassName(), ModuleFileName(), e.Address(), e.Message());
  ::MessageBoxW(nullptr, text.c_str(), kLastResortTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void TApplication::HintPointerOver(HWND control, const std::wstring& hint) {
  if (control == hintControl_) return;
  if (hintControl_) HintPointerLeft(hintControl_);
  hintControl_ = control;
  hintText_ = hint;
  ::SetTimer(Handle(), kHintShowTimer, static_cast<UINT>(std::max(hintPause_, 1)), nullptr);
}

void TApplication::HintPointerLeft(HWND control) {
  if (control != hintControl_) return;
  hintControl_ = nullptr;
  ::KillTimer(Handle(), kHintShowTimer);
  ::KillTimer(Handle(), kHintHideTimer);
  if (hint_) hint_->Hide();
}

void TApplication::HintTimerFired(UINT_PTR id) {
  ::KillTimer(Handle(), id);
  if (id == kHintHideTimer) {
    if (hint_) hint_->Hide();
    return;
  }
  if (!hintControl_) return;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  if (::WindowFromPoint(cursor) != hintControl_) {
    HintPointerLeft(hintControl_);
    return;
  }
  if (!hint_) hint_ = std::make_unique<HintWindow>();
  hint_->ShowAt(cursor, hintText_);
  ::SetTimer(Handle(), kHintHideTimer, static_cast<UINT>(hintHidePause_), nullptr);
}

void TApplication::Minimize() {
  ::ShowWindow(Handle(), SW_MINIMIZE);
}

}  // namespace qz
