#include "raw_pixels.h"

namespace kx14::art {
namespace {

void putPixel(Bytes& out, const Rgb& pixel, std::uint8_t alpha) {
  out.push_back(pixel.b);
  out.push_back(pixel.g);
  out.push_back(pixel.r);
  out.push_back(alpha);
}

void putWord(Bytes& out, std::uint32_t word) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(word >> shift));
}

std::size_t pixelBytes(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kRawBytesPerPixel;
}

}  // namespace

Bytes encodeRawRgb32(const RgbImage& image) {
  Bytes out;
  out.reserve(pixelBytes(image.width(), image.height()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) putPixel(out, image.at(x, y), 0xff);
  }
  return out;
}

Bytes encodeRawGlyph(const IndexedImage& image, std::uint8_t transparentIndex) {
  Bytes out;
  out.reserve(kRawGlyphHeaderBytes + pixelBytes(image.width(), image.height()));
  putWord(out, static_cast<std::uint32_t>(image.width()));
  putWord(out, static_cast<std::uint32_t>(image.height()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const std::uint8_t index = image.at(x, y);
      if (index == transparentIndex) {
        putPixel(out, Rgb{}, 0);
      } else {
        putPixel(out, image.palette()[index], 0xff);
      }
    }
  }
  return out;
}

}  // namespace kx14::art
