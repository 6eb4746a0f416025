// Scoped owners of GDI handles and device contexts: released on every path, movable, never copied.
#pragma once

#include <windows.h>

#include <utility>

namespace qz {

template <typename H>
class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(H handle) : h_(handle) {}
  GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(H handle = nullptr) {
    if (h_) ::DeleteObject(h_);
    h_ = handle;
  }

private:
  H h_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC and puts the old one back.
class SelectGuard {
public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() { ::SelectObject(dc_, old_); }

private:
  HDC dc_;
  HGDIOBJ old_;
};

class PaintDC {
public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  ~PaintDC() { ::EndPaint(hwnd_, &ps_); }
  HDC Get() const { return dc_; }

private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

class WindowDC {
public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() { ::ReleaseDC(hwnd_, dc_); }
  HDC Get() const { return dc_; }

private:
  HWND hwnd_;
  HDC dc_;
};

class MemoryDC {
public:
  explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  ~MemoryDC() { ::DeleteDC(dc_); }
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

}  // namespace qz
