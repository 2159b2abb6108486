#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <string_view>

namespace kx14::art {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterNone = 0;
constexpr std::size_t kMaxStoredBlock = 65535;

std::uint32_t crc32(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void putBigEndian32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, and the CRC-32 of type and data.
void putChunk(Bytes& out, std::string_view type, const Bytes& data) {
  putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  putBigEndian32(out, crc32(out.data() + typeStart, out.size() - typeStart));
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

// A zlib stream of stored (uncompressed) deflate blocks. The icons are small
// and the package is compressed as a whole, so a deflater would save little
// and add a library to every build that draws artwork.
Bytes zlibStored(const Bytes& raw) {
  Bytes out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary; (0x7801 % 31 == 0)
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
    const auto len = static_cast<std::uint16_t>(length);
    const auto nlen = static_cast<std::uint16_t>(~len);
    out.insert(out.end(), {static_cast<std::uint8_t>(len), static_cast<std::uint8_t>(len >> 8),
                           static_cast<std::uint8_t>(nlen), static_cast<std::uint8_t>(nlen >> 8)});
    const auto from = raw.begin() + static_cast<std::ptrdiff_t>(offset);
    out.insert(out.end(), from, from + static_cast<std::ptrdiff_t>(length));
    offset += length;
  } while (offset < raw.size());
  putBigEndian32(out, adler32(raw));
  return out;
}

}  // namespace

Bytes encodePng(const RgbaImage& image) {
  assert(image.rgba.size() ==
         static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4);
  Bytes out(kSignature.begin(), kSignature.end());
  putChunk(out, "IHDR", header(image));
  putChunk(out, "IDAT", zlibStored(filteredRows(image)));
  putChunk(out, "IEND", {});
  return out;
}

}  // namespace kx14::art
