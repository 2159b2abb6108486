#include "bmp_writer.h"

#include <fstream>
#include <system_error>

namespace kx14::art {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
// 96 dots per inch, in pixels per metre: the resolution the layout is drawn for.
constexpr std::int32_t kPixelsPerMetre = 3780;

void putLe16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void putLe32(Bytes& out, std::uint32_t value) {
  putLe16(out, value & 0xFFFFu);
  putLe16(out, value >> 16);
}

struct Layout {
  int width;
  int height;
  int bitsPerPixel;
  int paletteEntries;
};

std::uint32_t pixelDataOffset(const Layout& layout) {
  return static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * layout.paletteEntries);
}

std::uint32_t pixelDataSize(const Layout& layout) {
  return static_cast<std::uint32_t>(bmpRowStride(layout.width, layout.bitsPerPixel) *
                                    layout.height);
}

void putHeaders(Bytes& out, const Layout& layout) {
  const std::uint32_t offset = pixelDataOffset(layout);
  const std::uint32_t dataSize = pixelDataSize(layout);
  // BITMAPFILEHEADER
  out.push_back('B');
  out.push_back('M');
  putLe32(out, offset + dataSize);
  putLe32(out, 0);  // two reserved words
  putLe32(out, offset);
  // BITMAPINFOHEADER; a positive height means the rows are stored bottom-up.
  putLe32(out, kInfoHeaderSize);
  putLe32(out, static_cast<std::uint32_t>(layout.width));
  putLe32(out, static_cast<std::uint32_t>(layout.height));
  putLe16(out, 1);  // planes
  putLe16(out, static_cast<std::uint32_t>(layout.bitsPerPixel));
  putLe32(out, kBiRgb);
  putLe32(out, dataSize);
  putLe32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  putLe32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  putLe32(out, static_cast<std::uint32_t>(layout.paletteEntries));  // colours used
  putLe32(out, 0);                                                  // all colours important
}

void padRow(Bytes& out, std::size_t rowStart, int stride) {
  while (out.size() - rowStart < static_cast<std::size_t>(stride)) out.push_back(0);
}

}  // namespace

int bmpRowStride(int width, int bitsPerPixel) {
  const int bits = width * bitsPerPixel;
  return ((bits + 31) / 32) * 4;
}

Bytes encodeBmp24(const RgbImage& image) {
  const Layout layout{image.width(), image.height(), 24, 0};
  const int stride = bmpRowStride(layout.width, layout.bitsPerPixel);
  Bytes out;
  out.reserve(pixelDataOffset(layout) + pixelDataSize(layout));
  putHeaders(out, layout);
  for (int y = image.height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.width(); ++x) {
      const Rgb& pixel = image.at(x, y);
      out.push_back(pixel.b);
      out.push_back(pixel.g);
      out.push_back(pixel.r);
    }
    padRow(out, rowStart, stride);
  }
  return out;
}

Bytes encodeBmp8(const IndexedImage& image) {
  const Layout layout{image.width(), image.height(), 8, 256};
  const int stride = bmpRowStride(layout.width, layout.bitsPerPixel);
  Bytes out;
  out.reserve(pixelDataOffset(layout) + pixelDataSize(layout));
  putHeaders(out, layout);
  for (const Rgb& entry : image.palette()) {  // RGBQUAD: blue, green, red, reserved
    out.push_back(entry.b);
    out.push_back(entry.g);
    out.push_back(entry.r);
    out.push_back(0);
  }
  for (int y = image.height() - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    for (int x = 0; x < image.width(); ++x) out.push_back(image.at(x, y));
    padRow(out, rowStart, stride);
  }
  return out;
}

bool writeFileAtomically(const std::filesystem::path& path, const Bytes& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace kx14::art
