// Button pictures as plain pixel arrays, and drawing one over a background with one colour left out.
#pragma once

#include <cstdint>
#include <vector>

namespace qz {

// 0x00RRGGBB, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

inline constexpr std::uint32_t kPureWhite = 0xFFFFFF;

// Pixels of `picture` over `background` (same size), every pixel of exactly `transparent` left out.
std::vector<std::uint32_t> Composite(const Picture& picture, const std::vector<std::uint32_t>& background,
                                     std::uint32_t transparent);

// Reads a 24-bit uncompressed bottom-up or top-down pixel block (rows padded to 4 bytes) into a picture.
Picture PictureFrom24Bit(const std::uint8_t* bits, int width, int height, bool bottomUp);

}  // namespace qz
