#include "ui/paint.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/exceptions.h"

namespace qz {

Rgb ToRgb(COLORREF color) { return MakeRgb(GetRValue(color), GetGValue(color), GetBValue(color)); }

Rgb SystemRgb(int index) { return ToRgb(::GetSysColor(index)); }

bool RichColourDisplay() {
  WindowDC screen(nullptr);
  return ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES) > 8;
}

PaintBuffer::PaintBuffer(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)), dc_(nullptr) {
  if (RichColourDisplay()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<Rgb*>(bits);
  } else {
    WindowDC screen(nullptr);
    bitmap_.Reset(::CreateCompatibleBitmap(screen.Get(), width_, height_));
  }
  if (!bitmap_ || !dc_.Get()) throw EOutOfResources(L"Out of system resources");
  old_ = ::SelectObject(dc_.Get(), bitmap_.Get());
}

PaintBuffer::~PaintBuffer() { ::SelectObject(dc_.Get(), old_); }

Rgb* PaintBuffer::Pixels() {
  if (bits_) ::GdiFlush();
  return bits_;
}

void PaintBuffer::Load(const Canvas& canvas) {
  const int w = std::min(width_, canvas.Width());
  const int h = std::min(height_, canvas.Height());
  if (Rgb* out = Pixels()) {
    for (int y = 0; y < h; ++y) {
      std::copy_n(canvas.Pixels().begin() + static_cast<std::ptrdiff_t>(y) * canvas.Width(), w,
                  out + static_cast<std::ptrdiff_t>(y) * width_);
    }
    return;
  }
  // Runs of one colour, filled with brushes, as the system fills on this screen; a button has only a few colours.
  std::vector<std::pair<Rgb, Brush>> brushes;
  const auto brushOf = [&](Rgb color) {
    for (const auto& [c, b] : brushes) {
      if (c == color) return b.Get();
    }
    brushes.emplace_back(color, Brush(::CreateSolidBrush(RGB(RedOf(color), GreenOf(color), BlueOf(color)))));
    return brushes.back().second.Get();
  };
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      int end = x + 1;
      while (end < w && canvas.At(end, y) == canvas.At(x, y)) ++end;
      const RECT run{x, y, end, y + 1};
      ::FillRect(dc_.Get(), &run, brushOf(canvas.At(x, y)));
      x = end;
    }
  }
}

void PaintBuffer::DrawPicture(const Picture& picture, Rgb transparent) {
  const int w = std::min(width_, picture.width);
  const int h = std::min(height_, picture.height);
  if (Rgb* out = Pixels()) {
    if (w == width_ && h == height_ && w == picture.width && h == picture.height) {
      const size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
      const std::vector<Rgb> shown = Composite(picture, std::vector<Rgb>(out, out + count), transparent);
      std::copy(shown.begin(), shown.end(), out);
      return;
    }
  }
  // Row by row, each run of kept pixels handed to the system to put on this screen as it can.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biHeight = -1;
  for (int y = 0; y < h; ++y) {
    const Rgb* row = picture.pixels.data() + static_cast<std::ptrdiff_t>(y) * picture.width;
    for (int x = 0; x < w;) {
      if (row[x] == transparent) {
        ++x;
        continue;
      }
      int end = x + 1;
      while (end < w && row[end] != transparent) ++end;
      info.bmiHeader.biWidth = end - x;
      ::SetDIBitsToDevice(dc_.Get(), x, y, static_cast<DWORD>(end - x), 1, 0, 0, 0, 1, row + x, &info,
                          DIB_RGB_COLORS);
      x = end;
    }
  }
}

void PaintBuffer::CopyTo(HDC target, int x, int y) const {
  ::BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void PaintBuffered(HWND hwnd, HDC target, const std::function<void(PaintBuffer&)>& paint) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  PaintBuffer buffer(client.right, client.bottom);
  paint(buffer);
  if (target) {
    buffer.CopyTo(target);
  } else {
    PaintDC dc(hwnd);
    buffer.CopyTo(dc.Get());
  }
}

void PaintBehind(HWND control, HDC dc) {
  const HWND parent = ::GetParent(control);
  RECT mine{};
  ::GetWindowRect(control, &mine);
  ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&mine), 2);
  const RECT local{0, 0, mine.right - mine.left, mine.bottom - mine.top};
  auto brush = reinterpret_cast<HBRUSH>(::GetClassLongPtrW(parent, GCLP_HBRBACKGROUND));
  ::FillRect(dc, &local, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));

  std::vector<HWND> below;
  for (HWND s = ::GetWindow(control, GW_HWNDNEXT); s; s = ::GetWindow(s, GW_HWNDNEXT)) below.push_back(s);
  // The lowest first, so that each one covers those under it.
  for (auto it = below.rbegin(); it != below.rend(); ++it) {
    if (!::IsWindowVisible(*it)) continue;
    RECT r{};
    ::GetWindowRect(*it, &r);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    RECT overlap{};
    if (!::IntersectRect(&overlap, &r, &mine)) continue;
    const int saved = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, r.left - mine.left, r.top - mine.top, nullptr);
    ::IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ::SendMessageW(*it, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::RestoreDC(dc, saved);
  }
}

std::optional<LRESULT> HandlePaintMessage(HWND hwnd, UINT msg, WPARAM wp,
                                          const std::function<void(PaintBuffer&)>& paint) {
  switch (msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      PaintBuffered(hwnd, msg == WM_PRINTCLIENT ? reinterpret_cast<HDC>(wp) : nullptr, paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    default:
      return std::nullopt;
  }
}

}  // namespace qz
