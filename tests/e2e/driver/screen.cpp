#include "tests/e2e/driver/screen.h"

#include <cstring>
#include <stdexcept>

#include "tests/e2e/driver/png.h"

namespace qz::e2e {

namespace {
class ScreenDc {
public:
  ScreenDc() : dc_(::GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

class MemoryDc {
public:
  explicit MemoryDc(HDC like) : dc_(::CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { ::DeleteDC(dc_); }
  HDC Get() const { return dc_; }

private:
  HDC dc_;
};

class DibSection {
public:
  DibSection(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  }
  DibSection(const DibSection&) = delete;
  DibSection& operator=(const DibSection&) = delete;
  ~DibSection() {
    if (bitmap_) ::DeleteObject(bitmap_);
  }
  HBITMAP Get() const { return bitmap_; }
  const void* Bits() const { return bits_; }

private:
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
};
}  // namespace

Image CaptureScreen(const RECT& area) {
  Image image;
  image.width = area.right - area.left;
  image.height = area.bottom - area.top;
  if (image.width <= 0 || image.height <= 0) throw std::runtime_error("empty capture area");
  const ScreenDc screen;
  const MemoryDc memory(screen.Get());
  const DibSection dib(screen.Get(), image.width, image.height);
  if (!dib.Get()) throw std::runtime_error("CreateDIBSection failed");
  const HGDIOBJ old = ::SelectObject(memory.Get(), dib.Get());
  const BOOL copied =
      ::BitBlt(memory.Get(), 0, 0, image.width, image.height, screen.Get(), area.left, area.top, SRCCOPY);
  ::GdiFlush();
  ::SelectObject(memory.Get(), old);
  if (!copied) throw std::runtime_error("BitBlt from the screen failed");
  image.pixels.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  std::memcpy(image.pixels.data(), dib.Bits(), image.pixels.size() * sizeof(std::uint32_t));
  for (std::uint32_t& p : image.pixels) p &= 0x00FFFFFF;
  return image;
}

Image CaptureWholeScreen() {
  return CaptureScreen(RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
}

Image CaptureWindow(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return CaptureScreen(r);
}

void SavePng(const Image& image, const std::wstring& path) {
  const std::vector<std::uint8_t> png = EncodePng(image.width, image.height, image.pixels);
  const HANDLE file =
      ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the screenshot file");
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
  ::CloseHandle(file);
  if (!ok || written != png.size()) throw std::runtime_error("cannot write the screenshot file");
}

}  // namespace qz::e2e
