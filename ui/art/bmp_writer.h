// Encodes images as Windows BMP files: BITMAPFILEHEADER + BITMAPINFOHEADER
// (40 bytes), uncompressed (BI_RGB), rows bottom-up, each row padded with
// zero bytes to a multiple of 4. These are the plain variants that every
// reader, including the toolkit's, loads without guessing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "bmp_image.h"

namespace kx14::art {

using Bytes = std::vector<std::uint8_t>;

// Bytes per stored row for a width and bit count, padding included.
int bmpRowStride(int width, int bitsPerPixel);

// 24 bits per pixel, stored blue, green, red.
Bytes encodeBmp24(const RgbImage& image);

// 8 bits per pixel with the full 256-entry palette (biClrUsed = 256).
Bytes encodeBmp8(const IndexedImage& image);

// Writes the bytes to a temporary file beside `path` and renames it over
// `path`, so an interrupted run never leaves a truncated image behind.
// Returns false (and leaves `path` as it was) when writing fails.
bool writeFileAtomically(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace kx14::art
