#include "ui/picture.h"

#include <cstdlib>

namespace qz {

std::vector<std::uint32_t> Composite(const Picture& picture, const std::vector<std::uint32_t>& background,
                                     std::uint32_t transparent) {
  std::vector<std::uint32_t> out = background;
  for (size_t i = 0; i < picture.pixels.size() && i < out.size(); ++i) {
    if (picture.pixels[i] != transparent) out[i] = picture.pixels[i];
  }
  return out;
}

Picture PictureFrom24Bit(const std::uint8_t* bits, int width, int height, bool bottomUp) {
  Picture p;
  p.width = width;
  p.height = height;
  const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
  p.pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(bottomUp ? height - 1 - y : y);
    const std::uint8_t* line = bits + row * stride;
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* px = line + static_cast<size_t>(x) * 3;
      p.pixels.push_back(static_cast<std::uint32_t>(px[2]) << 16 | static_cast<std::uint32_t>(px[1]) << 8 | px[0]);
    }
  }
  return p;
}

}  // namespace qz
