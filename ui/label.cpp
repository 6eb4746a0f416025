#include "ui/label.h"

namespace qz {

namespace {
// The system window-text colour, as the framework marks it until a plain colour is set.
constexpr std::uint32_t kWindowTextColor = 0x80000008;

COLORREF ToColorRef(std::uint32_t color) {
  return color == kWindowTextColor ? ::GetSysColor(COLOR_WINDOWTEXT) : static_cast<COLORREF>(color);
}
}  // namespace

TLabel::TLabel(TForm& form, const Settings& settings) : TControl(form, settings.name), settings_(settings) {
  // An own font follows the layout, not the density: it grows only when the window's text height does.
  if (settings.ownFont) ownFont_.Reset(CreateScaledFont(*settings.ownFont, kDesignPixelsPerInch, form.Scale()));
  CreateParams p;
  p.className = L"TLabel";
  p.style = WS_VISIBLE;
  p.text = settings.caption;
  p.backgroundColor = -1;
  DesignBounds bounds = settings.bounds;
  CreateChild(p, bounds);
  if (settings.align == Align::Bottom) {
    // Spans the client width along the bottom edge.
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    const int height = form.Scale()(bounds.height);
    ::SetWindowPos(Handle(), nullptr, 0, client.bottom - height, client.right, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  AdjustSize();
}

HFONT TLabel::CurrentFont() const { return ownFont_ ? ownFont_.Get() : Form().FontHandle(); }

void TLabel::SetCaption(const std::wstring& caption) {
  if (caption == Text()) return;
  ::SetWindowTextW(Handle(), caption.c_str());
  AdjustSize();
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TLabel::SetFontColor(std::uint32_t color) {
  if (color == color_) return;
  color_ = color;
  ::InvalidateRect(Handle(), nullptr, FALSE);
}

void TLabel::AdjustSize() {
  if (!settings_.autoSize) return;
  WindowDC dc(Handle());
  SelectGuard font(dc.Get(), CurrentFont());
  const std::wstring text = Text();
  SIZE size{};
  ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc.Get(), &tm);
  // Grows to the right: the left edge stays.
  ::SetWindowPos(Handle(), nullptr, 0, 0, size.cx, tm.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::Paint(PaintBuffer& buffer) {
  const HDC dc = buffer.Dc();
  RECT client{0, 0, buffer.Width(), buffer.Height()};
  if (settings_.transparent) {
    PaintBehind(Handle(), dc);
  } else {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  }
  SelectGuard font(dc, CurrentFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(color_));
  const std::wstring text = Text();
  UINT format = DT_NOPREFIX | DT_SINGLELINE | DT_TOP;
  format |= settings_.alignment == Alignment::Right ? DT_RIGHT : DT_LEFT;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
}

LRESULT TLabel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (const auto painted = HandlePaintMessage(Handle(), msg, wp, [this](PaintBuffer& b) { Paint(b); })) {
    return *painted;
  }
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      return Default(msg, wp, lp);
  }
}

}  // namespace qz
