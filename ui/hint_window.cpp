#include "ui/hint_window.h"

#include "ui/presentation.h"

#include <algorithm>
#include <vector>

namespace qz {

namespace {
constexpr int kPadding = 2;
}

HintWindow::HintWindow() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font_.Reset(::CreateFontIndirectW(&metrics.lfStatusFont));
  CreateParams p;
  p.className = L"THintWindow";
  p.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.style = WS_POPUP | WS_BORDER;
  p.backgroundColor = COLOR_INFOBK;
  CreateOwn(p);
}

void HintWindow::ShowAt(POINT at, const std::wstring& text) {
  ::SetWindowTextW(Handle(), text.c_str());
  WindowDC dc(Handle());
  SelectGuard font(dc.Get(), font_.Get());
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc.Get(), &tm);
  int width = 0;
  const std::vector<std::wstring> lines = HintLines(text);
  for (const std::wstring& line : lines) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
    width = std::max(width, static_cast<int>(size.cx));
  }
  const int border = 2 * ::GetSystemMetrics(SM_CXBORDER);
  const int w = width + 2 * kPadding + 2 + border;
  const int h = static_cast<int>(lines.size()) * tm.tmHeight + 2 * kPadding + border;
  // Keep it on the screen, below the pointer when there is room.
  const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
  int x = std::min(static_cast<int>(at.x), screenW - w);
  int y = at.y + ::GetSystemMetrics(SM_CYCURSOR) * 3 / 4;
  if (y + h > screenH) y = at.y - h;
  x = std::max(x, 0);
  y = std::max(y, 0);
  ::SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void HintWindow::Hide() {
  if (::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_HIDE);
}

void HintWindow::Paint(PaintBuffer& buffer) {
  const HDC dc = buffer.Dc();
  const RECT client{0, 0, buffer.Width(), buffer.Height()};
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_INFOBK));
  SelectGuard font(dc, font_.Get());
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  int y = kPadding;
  for (const std::wstring& line : HintLines(Text())) {
    ::TextOutW(dc, kPadding + 1, y, line.c_str(), static_cast<int>(line.size()));
    y += tm.tmHeight;
  }
}

LRESULT HintWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (const auto painted = HandlePaintMessage(Handle(), msg, wp, [this](PaintBuffer& b) { Paint(b); })) {
    return *painted;
  }
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace qz
