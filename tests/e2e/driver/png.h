// A minimal PNG encoder for screenshots: 8-bit RGB, no filtering, deflate "stored" blocks, so it needs no library.
#pragma once

#include <cstdint>
#include <vector>

namespace qz::e2e {

// Pixels as 0x00RRGGBB, top row first, `width` per row.
std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels);

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

}  // namespace qz::e2e
