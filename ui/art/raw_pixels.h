// Encodes artwork as bare 32-bit pixel words, the layouts the toolkit's
// RGB32 and premultiplied ARGB32 images keep in memory: one little-endian
// 0xAARRGGBB word per pixel, rows top-down, no padding. The program wraps
// these bytes in an image where they lie, so showing the artwork costs no
// decoding, no image-format plugins and no copy at start-up.
#pragma once

#include <cstddef>
#include <cstdint>

#include "bmp_image.h"
#include "bmp_writer.h"

namespace kx14::art {

inline constexpr std::size_t kRawBytesPerPixel = 4;
// A glyph starts with its width and height, each a little-endian 32-bit word.
inline constexpr std::size_t kRawGlyphHeaderBytes = 8;

// The picture, opaque, without a header (its size is fixed).
Bytes encodeRawRgb32(const RgbImage& image);

// A glyph with its size in front; pixels of `transparentIndex` become fully
// transparent (all four bytes zero, as premultiplied alpha wants), every
// other pixel opaque.
Bytes encodeRawGlyph(const IndexedImage& image, std::uint8_t transparentIndex);

}  // namespace kx14::art
