// The bare pixel words the program wraps in images without decoding: byte
// order, row order, the glyph header and the keyed-out background.

#include "ui/art/raw_pixels.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"
#include "ui/art/glyphs.h"

namespace kx14::art {
namespace {

using testing::le32;

std::uint32_t WordAt(const Bytes& bytes, std::size_t offset, int width, int x, int y) {
  return le32(bytes, offset + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                               static_cast<std::size_t>(x)) *
                                  kRawBytesPerPixel);
}

TEST(RawPixels, PictureIsOpaqueXrgbWordsRowsTopDownWithoutHeader) {
  RgbImage image(3, 2);
  image.at(0, 0) = {0x12, 0x34, 0x56};
  image.at(2, 0) = {0xff, 0x00, 0x80};
  image.at(1, 1) = {0x01, 0x02, 0x03};
  const Bytes bytes = encodeRawRgb32(image);
  ASSERT_EQ(bytes.size(), 3u * 2u * 4u);
  EXPECT_EQ(WordAt(bytes, 0, 3, 0, 0), 0xff123456u);
  EXPECT_EQ(WordAt(bytes, 0, 3, 2, 0), 0xffff0080u);
  EXPECT_EQ(WordAt(bytes, 0, 3, 1, 1), 0xff010203u);
  EXPECT_EQ(WordAt(bytes, 0, 3, 0, 1), 0xff000000u);
}

TEST(RawPixels, GlyphHasItsSizeInFrontAndItsBackgroundFullyTransparent) {
  IndexedImage::Palette palette{};
  palette[0] = kTransparentColour;
  palette[7] = {0x10, 0x20, 0x30};
  IndexedImage glyph(2, 3, palette, 0);
  glyph.at(1, 2) = 7;
  const Bytes bytes = encodeRawGlyph(glyph, 0);
  ASSERT_EQ(bytes.size(), kRawGlyphHeaderBytes + 2u * 3u * 4u);
  EXPECT_EQ(le32(bytes, 0), 2u);
  EXPECT_EQ(le32(bytes, 4), 3u);
  // Premultiplied: a transparent pixel is all zero, not magenta with alpha 0.
  EXPECT_EQ(WordAt(bytes, kRawGlyphHeaderBytes, 2, 0, 0), 0u);
  EXPECT_EQ(WordAt(bytes, kRawGlyphHeaderBytes, 2, 1, 2), 0xff102030u);
}

TEST(RawPixels, EveryGlyphKeysOutExactlyItsMagentaPixels) {
  for (const IndexedImage& glyph : {programGlyph(), readGlyph(), exitGlyph()}) {
    const Bytes bytes = encodeRawGlyph(glyph, kTransparentIndex);
    for (int y = 0; y < glyph.height(); ++y) {
      for (int x = 0; x < glyph.width(); ++x) {
        const std::uint32_t word = WordAt(bytes, kRawGlyphHeaderBytes, glyph.width(), x, y);
        const Rgb colour = glyph.palette()[glyph.at(x, y)];
        if (glyph.at(x, y) == kTransparentIndex) {
          EXPECT_EQ(word, 0u) << x << "," << y;
        } else {
          EXPECT_EQ(word, 0xff000000u | std::uint32_t(colour.r) << 16 |
                              std::uint32_t(colour.g) << 8 | colour.b)
              << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace kx14::art
