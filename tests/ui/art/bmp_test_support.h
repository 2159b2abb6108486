// Reading back the little-endian header fields of an encoded BMP.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/art/bmp_writer.h"

namespace kx14::art::testing {

inline std::uint32_t le16(const Bytes& bytes, std::size_t at) {
  return std::uint32_t(bytes.at(at)) | std::uint32_t(bytes.at(at + 1)) << 8;
}

inline std::uint32_t le32(const Bytes& bytes, std::size_t at) {
  return le16(bytes, at) | le16(bytes, at + 2) << 16;
}

// Field offsets of BITMAPFILEHEADER followed by BITMAPINFOHEADER.
enum Field : std::size_t {
  kFileSize = 2,
  kDataOffset = 10,
  kInfoSize = 14,
  kWidth = 18,
  kHeight = 22,
  kPlanes = 26,
  kBitCount = 28,
  kCompression = 30,
  kImageSize = 34,
  kColoursUsed = 46,
  kPalette = 54,
};

}  // namespace kx14::art::testing
