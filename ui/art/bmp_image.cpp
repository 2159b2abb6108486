#include "bmp_image.h"

#include <cassert>

namespace kx14::art {

namespace {

std::size_t pixelCount(int width, int height) {
  assert(width > 0 && height > 0);
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

std::size_t rowMajorIndex(int x, int y, int width, int height) {
  assert(x >= 0 && x < width && y >= 0 && y < height);
  (void)height;
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
         static_cast<std::size_t>(x);
}

}  // namespace

RgbImage::RgbImage(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(pixelCount(width, height), fill) {}

std::size_t RgbImage::index(int x, int y) const { return rowMajorIndex(x, y, width_, height_); }

IndexedImage::IndexedImage(int width, int height, const Palette& palette, std::uint8_t fill)
    : width_(width),
      height_(height),
      palette_(palette),
      indices_(pixelCount(width, height), fill) {}

std::size_t IndexedImage::index(int x, int y) const { return rowMajorIndex(x, y, width_, height_); }

}  // namespace kx14::art
