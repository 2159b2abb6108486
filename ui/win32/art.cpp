#include "ui/win32/art.h"

#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "ui/win32/art_ids.h"

namespace kx14 {
namespace {

constexpr int kPictureWidth = 796;
constexpr int kPictureHeight = 478;
constexpr std::size_t kBytesPerPixel = 4;
constexpr std::size_t kGlyphHeaderBytes = 8;
constexpr std::uint32_t kLargestGlyphSide = 1024;

std::span<const std::uint8_t> Resource(int id) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(nullptr, found);
  if (loaded == nullptr) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
  return {bytes, SizeofResource(nullptr, found)};
}

std::uint32_t Word(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | bytes[offset + static_cast<std::size_t>(i)];
  return word;
}

BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top-down, as the words lie
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

int GlyphResourceId(TGlyph glyph) {
  switch (glyph) {
    case TGlyph::gProgram:
      return KX14_ART_PROGRAM_GLYPH;
    case TGlyph::gRead:
      return KX14_ART_READ_GLYPH;
    case TGlyph::gExit:
      break;
  }
  return KX14_ART_EXIT_GLYPH;
}

std::span<const std::uint8_t> PicturePixels() {
  const auto bytes = Resource(KX14_ART_PICTURE);
  constexpr std::size_t kSize = kPictureWidth * kPictureHeight * kBytesPerPixel;
  return bytes.size() == kSize ? bytes : std::span<const std::uint8_t>{};
}

// The glyph's size and pixels; empty when the resource does not hold one.
struct GlyphPixels {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> pixels;
};

GlyphPixels ReadGlyph(TGlyph glyph) {
  const auto bytes = Resource(GlyphResourceId(glyph));
  if (bytes.size() < kGlyphHeaderBytes) return {};
  const std::uint32_t width = Word(bytes, 0);
  const std::uint32_t height = Word(bytes, 4);
  if (width == 0 || height == 0 || width > kLargestGlyphSide || height > kLargestGlyphSide)
    return {};
  if (bytes.size() != kGlyphHeaderBytes + std::size_t{width} * height * kBytesPerPixel) return {};
  return {static_cast<int>(width), static_cast<int>(height), bytes.subspan(kGlyphHeaderBytes)};
}

}  // namespace

void DrawPicture(HDC dc, const RECT& area) {
  const auto pixels = PicturePixels();
  if (pixels.empty()) return;
  const BITMAPINFO info = TopDownInfo(kPictureWidth, kPictureHeight);
  // The picture's thin lines need smoothing when it is squeezed.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0,
                kPictureWidth, kPictureHeight, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

HBITMAP GlyphBitmap(TGlyph glyph, TColour face) {
  const GlyphPixels source = ReadGlyph(glyph);
  if (source.pixels.empty()) return nullptr;
  // Premultiplied pixels over the face: a transparent pixel (all zero)
  // shows the face, an opaque one itself.
  std::vector<std::uint8_t> pixels(source.pixels.begin(), source.pixels.end());
  const std::uint8_t faceBgr[3] = {face.blue, face.green, face.red};
  for (std::size_t i = 0; i < pixels.size(); i += kBytesPerPixel) {
    const unsigned alpha = pixels[i + 3];
    for (std::size_t c = 0; c < 3; ++c) {
      pixels[i + c] = static_cast<std::uint8_t>(pixels[i + c] + faceBgr[c] * (255 - alpha) / 255);
    }
    pixels[i + 3] = 0;
  }
  const BITMAPINFO info = TopDownInfo(source.width, source.height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) std::memcpy(bits, pixels.data(), pixels.size());
  return bitmap;
}

bool ArtPresent() {
  return !PicturePixels().empty() && !ReadGlyph(TGlyph::gProgram).pixels.empty() &&
         !ReadGlyph(TGlyph::gRead).pixels.empty() && !ReadGlyph(TGlyph::gExit).pixels.empty();
}

}  // namespace kx14
