#include "png_writer.h"

#include <zlib.h>

#include <array>
#include <cassert>
#include <new>
#include <string_view>

namespace kx14::art {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterNone = 0;

void putBigEndian32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the CRC-32 of type and data.
void putChunk(Bytes& out, std::string_view type, const Bytes& data) {
  putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian32(out, static_cast<std::uint32_t>(::crc32(
                          0, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart))));
}

Bytes header(const RgbaImage& image) {
  Bytes data;
  putBigEndian32(data, static_cast<std::uint32_t>(image.width));
  putBigEndian32(data, static_cast<std::uint32_t>(image.height));
  // Bit depth, colour type, compression, filter method, interlace.
  data.insert(data.end(), {kBitDepth, kColourTypeRgba, 0, 0, 0});
  return data;
}

Bytes filteredRows(const RgbaImage& image) {
  const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
  Bytes rows;
  rows.reserve((stride + 1) * static_cast<std::size_t>(image.height));
  for (std::size_t y = 0; y < static_cast<std::size_t>(image.height); ++y) {
    rows.push_back(kFilterNone);
    const auto row = image.rgba.begin() + static_cast<std::ptrdiff_t>(y * stride);
    rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(stride));
  }
  return rows;
}

// The rows as one zlib stream, compressed as well as zlib can.
Bytes zlibCompressed(const Bytes& raw) {
  uLongf size = ::compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  const int result = ::compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                                 Z_BEST_COMPRESSION);
  if (result != Z_OK) throw std::bad_alloc();  // the only failure left with a large enough buffer
  out.resize(size);
  return out;
}

}  // namespace

Bytes encodePng(const RgbaImage& image) {
  assert(image.rgba.size() ==
         static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4);
  Bytes out(kSignature.begin(), kSignature.end());
  putChunk(out, "IHDR", header(image));
  putChunk(out, "IDAT", zlibCompressed(filteredRows(image)));
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace kx14::art
