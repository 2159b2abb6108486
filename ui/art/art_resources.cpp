#include "art_resources.h"

#include <QResource>
#include <cstdint>

#include "picture.h"
#include "raw_pixels.h"

namespace kx14::art {
namespace {

constexpr qsizetype kBytesPerPixel = static_cast<qsizetype>(kRawBytesPerPixel);
constexpr qsizetype kHeaderBytes = static_cast<qsizetype>(kRawGlyphHeaderBytes);
// Far above any glyph; keeps a damaged header from overflowing the size check.
constexpr std::uint32_t kLargestGlyphSide = 1024;

// The bytes of an uncompressed resource; empty when it cannot be used in place.
QByteArrayView ResourceBytes(const char* path) {
  const QResource resource(QString::fromLatin1(path));
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
    return {};
  }
  return {resource.data(), static_cast<qsizetype>(resource.size())};
}

std::uint32_t Word(QByteArrayView bytes, qsizetype offset) {
  std::uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
  return word;
}

}  // namespace

QImage pictureImage() {
  const QByteArrayView bytes = ResourceBytes(kPictureResource);
  constexpr qsizetype kStride = kPictureWidth * kBytesPerPixel;
  if (bytes.size() != kStride * kPictureHeight) return {};
  return QImage(reinterpret_cast<const uchar*>(bytes.data()), kPictureWidth, kPictureHeight,
                kStride, QImage::Format_RGB32);
}

QImage glyphImage(const char* resource) {
  const QByteArrayView bytes = ResourceBytes(resource);
  if (bytes.size() < kHeaderBytes) return {};
  const std::uint32_t width = Word(bytes, 0);
  const std::uint32_t height = Word(bytes, 4);
  if (width == 0 || height == 0 || width > kLargestGlyphSide || height > kLargestGlyphSide) return {};
  const qsizetype stride = static_cast<qsizetype>(width) * kBytesPerPixel;
  if (bytes.size() != kHeaderBytes + stride * static_cast<qsizetype>(height)) return {};
  return QImage(reinterpret_cast<const uchar*>(bytes.data() + kHeaderBytes), static_cast<int>(width),
                static_cast<int>(height), stride, QImage::Format_ARGB32_Premultiplied);
}

bool artResourcesPresent() {
  return !pictureImage().isNull() && !glyphImage(kProgramGlyphResource).isNull() &&
         !glyphImage(kReadGlyphResource).isNull() && !glyphImage(kExitGlyphResource).isNull();
}

}  // namespace kx14::art
