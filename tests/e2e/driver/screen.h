// What is on the screen: pixels read back from the display, and screenshots saved as PNG files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qz::e2e {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  std::uint32_t At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

// The given rectangle of the screen (screen coordinates), as it is shown now.
Image CaptureScreen(const RECT& area);
Image CaptureWholeScreen();
// The window with its frame, as it is shown on the screen (covered parts show what covers them).
Image CaptureWindow(HWND hwnd);

// Writes the image as a PNG file; throws std::runtime_error on failure.
void SavePng(const Image& image, const std::wstring& path);

inline int Red(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
inline int Green(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
inline int Blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }

}  // namespace qz::e2e
