#include "ico_writer.h"

#include <cassert>
#include <cstddef>
#include <cstdint>

namespace kx14::art {
namespace {

constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr int kPngFromSize = 256;

void put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

// The colour rows (BGRA, bottom-up) and the AND mask, whose set bits mark the
// fully transparent pixels for readers that ignore the alpha channel.
Bytes encodeDib(const RgbaImage& image) {
  const auto width = static_cast<std::uint32_t>(image.width);
  const auto height = static_cast<std::uint32_t>(image.height);
  const std::uint32_t maskStride = (width + 31) / 32 * 4;
  Bytes out;
  put32(out, kInfoHeaderBytes);
  put32(out, width);
  put32(out, height * 2);  // colour rows and mask rows together
  put16(out, 1);           // planes
  put16(out, 32);          // bits per pixel
  put32(out, 0);           // BI_RGB
  put32(out, width * height * 4 + maskStride * height);
  for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution, palette counts
  for (std::size_t y = height; y-- > 0;) {
    for (std::size_t x = 0; x < width; ++x) {
      const std::uint8_t* p = &image.rgba[(y * width + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});
    }
  }
  for (std::size_t y = height; y-- > 0;) {
    Bytes row(maskStride, 0);
    for (std::size_t x = 0; x < width; ++x) {
      if (image.rgba[(y * width + x) * 4 + 3] == 0)
        row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace

Bytes encodeIco(const std::vector<RgbaImage>& images) {
  std::vector<Bytes> encoded;
  for (const RgbaImage& image : images) {
    assert(image.width == image.height && image.width >= 1 && image.width <= 256);
    assert(image.rgba.size() ==
           static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4);
    encoded.push_back(image.width >= kPngFromSize ? encodePng(image) : encodeDib(image));
  }
  Bytes out;
  put16(out, 0);  // reserved
  put16(out, 1);  // type: icon
  put16(out, static_cast<std::uint32_t>(images.size()));
  auto offset = static_cast<std::uint32_t>(kDirectoryBytes + kEntryBytes * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    // A size of 256 does not fit the byte and is written as 0.
    out.push_back(static_cast<std::uint8_t>(images[i].width));
    out.push_back(static_cast<std::uint8_t>(images[i].height));
    out.push_back(0);  // no palette
    out.push_back(0);  // reserved
    put16(out, 1);     // planes
    put16(out, 32);    // bits per pixel
    put32(out, static_cast<std::uint32_t>(encoded[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(encoded[i].size());
  }
  for (const Bytes& image : encoded) out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace kx14::art
