#include "ui/form.h"

#include <algorithm>

#include "ui/application.h"

namespace qz {

namespace {
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

int ScreenPixelsPerInch() {
  WindowDC screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int TextHeightOf(HFONT font) {
  WindowDC screen(nullptr);
  SelectGuard select(screen.Get(), font);
  TEXTMETRICW tm{};
  ::GetTextMetricsW(screen.Get(), &tm);
  return tm.tmHeight;
}
}  // namespace

HFONT CreateScaledFont(const FontSpec& font, int pixelsPerInch, const Scaler& layout) {
  LOGFONTW lf{};
  lf.lfHeight = layout(FontHeightAt(font.height, pixelsPerInch));
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  ::lstrcpynW(lf.lfFaceName, font.face, LF_FACESIZE);
  return ::CreateFontIndirectW(&lf);
}

void TControl::CreateChild(CreateParams params, const DesignBounds& b, bool subclassed) {
  const Scaler& s = form_.Scale();
  params.parent = form_.Handle();
  params.style |= WS_CHILD | WS_CLIPSIBLINGS;
  params.bounds = RECT{s(b.left), s(b.top), s(b.left) + s(b.width), s(b.top) + s(b.height)};
  if (subclassed) {
    CreateSubclassed(params);
  } else {
    CreateOwn(params);
  }
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form_.FontHandle()), FALSE);
}

TForm::TForm(const FormSettings& settings) : TComponent(settings.name) {
  pixelsPerInch_ = ScreenPixelsPerInch();
  font_.Reset(CreateScaledFont(settings.font, pixelsPerInch_, Scaler{}));
  scaler_ = LayoutScaler(pixelsPerInch_, TextHeightOf(font_.Get()));

  RECT frame{0, 0, scaler_(settings.clientWidth), scaler_(settings.clientHeight)};
  ::AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
  CreateParams p;
  p.className = L"TForm";
  p.style = kFormStyle;
  p.text = settings.caption;
  p.parent = Application->Handle();
  p.bounds = RECT{0, 0, frame.right - frame.left, frame.bottom - frame.top};
  p.icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
  p.smallIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON),
                                                ::GetSystemMetrics(SM_CYSMICON), 0));
  CreateOwn(p);
}

TForm::~TForm() {
  // Controls go before the window that holds them.
  components_.clear();
}

void TForm::DoCreate() {
  try {
    if (OnCreate) OnCreate(this);
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
}

void TForm::Show() {
  RECT r{};
  ::GetWindowRect(Handle(), &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int x = std::max(0, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
  const int y = std::max(0, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
  ::SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Handle());
  FocusFirst();
}

void TForm::Restore() {
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetActiveWindow(Handle());
}

void TForm::FocusFirst() {
  for (Window* control : tabOrder_) {
    if (control->Visible() && control->Enabled()) {
      ::SetFocus(control->Handle());
      return;
    }
  }
  ::SetFocus(Handle());
}

void TForm::SelectNext(bool backward) {
  const HWND focus = ::GetFocus();
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  std::ptrdiff_t current = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    const HWND h = tabOrder_[static_cast<size_t>(i)]->Handle();
    if (h == focus || ::IsChild(h, focus)) current = i;
  }
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    std::ptrdiff_t i = current < 0 ? (backward ? count - step : step - 1)
                                   : (current + (backward ? -step : step) + count * 2) % count;
    Window* control = tabOrder_[static_cast<size_t>(i)];
    if (control->Visible() && control->Enabled()) {
      ::SetFocus(control->Handle());
      return;
    }
  }
}

LRESULT TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      // Nothing asks before closing; the main window's end ends the message loop.
      ::DestroyWindow(Handle());
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsWindowVisible(lastFocus_) &&
                 ::IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
      } else {
        FocusFirst();
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wp & 0xFFF0) == SC_MINIMIZE) {
        ::ShowWindow(Handle(), SW_HIDE);
        Application->Minimize();
        return 0;
      }
      return Default(msg, wp, lp);
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace qz
