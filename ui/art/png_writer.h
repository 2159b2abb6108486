// Encodes true-colour images with straight (not premultiplied) alpha as PNG
// files: 8 bits per channel, colour type 6, no interlacing, every row with
// filter type 0, the pixel data deflated by zlib. The desktop's icon themes
// want PNG; the window's own artwork does not use it.
#pragma once

#include <cstdint>
#include <vector>

#include "bmp_writer.h"

namespace kx14::art {

// Rows top-down, four bytes (red, green, blue, alpha) per pixel, no padding.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// An image whose byte count does not match its size is a programming error.
Bytes encodePng(const RgbaImage& image);

}  // namespace kx14::art
