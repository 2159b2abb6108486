// The icon file the resource compiler reads: a directory whose sizes and
// offsets must tile the file, DIB images in BGRA bottom-up with the doubled
// height and a mask of the transparent pixels, and PNG for 256 pixels.

#include "ui/art/ico_writer.h"

#include <gtest/gtest.h>

#include "bmp_test_support.h"

namespace kx14::art {
namespace {

using testing::le16;
using testing::le32;

RgbaImage Square(int size) {
  RgbaImage image{size, size, {}};
  image.rgba.assign(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4, 0xFF);
  return image;
}

TEST(IcoWriter, DirectoryEntriesTileTheFileAndLargeImagesArePng) {
  const Bytes ico = encodeIco({Square(16), Square(256), Square(33)});
  ASSERT_EQ(le16(ico, 2), 1u);
  ASSERT_EQ(le16(ico, 4), 3u);
  std::size_t expectedOffset = 6 + 3 * 16;
  const int sizes[] = {16, 256, 33};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t entry = 6 + i * 16;
    EXPECT_EQ(ico.at(entry), sizes[i] == 256 ? 0 : sizes[i]) << i;
    EXPECT_EQ(le16(ico, entry + 6), 32u) << i;
    EXPECT_EQ(le32(ico, entry + 12), expectedOffset) << i;
    expectedOffset += le32(ico, entry + 8);
  }
  EXPECT_EQ(expectedOffset, ico.size());
  const std::size_t png = le32(ico, 6 + 16 + 12);
  EXPECT_EQ(ico.at(png), 0x89);
  EXPECT_EQ(ico.at(png + 1), 'P');
  // A 33-pixel row of mask bits needs 5 bytes, padded to 8.
  EXPECT_EQ(le32(ico, 6 + 32 + 8), 40u + 33u * 33u * 4u + 8u * 33u);
}

TEST(IcoWriter, DibIsBgraBottomUpWithDoubledHeightAndMaskOfClearPixels) {
  RgbaImage image = Square(2);
  // Top-left pixel: red, half transparent. Bottom-right: fully transparent.
  const std::uint8_t topLeft[] = {0xFF, 0x10, 0x20, 0x80};
  std::copy(std::begin(topLeft), std::end(topLeft), image.rgba.begin());
  image.rgba[3 * 4 + 3] = 0;
  const Bytes ico = encodeIco({image});
  const std::size_t dib = le32(ico, 6 + 12);
  EXPECT_EQ(le32(ico, dib), 40u);
  EXPECT_EQ(le32(ico, dib + 8), 4u);
  EXPECT_EQ(le16(ico, dib + 14), 32u);
  // Rows bottom-up: the top row is the second one stored.
  const std::size_t topRow = dib + 40 + 2 * 4;
  EXPECT_EQ(le32(ico, topRow), 0x80FF1020u);
  // Mask rows bottom-up too: the bottom row's right pixel is clear.
  const std::size_t mask = dib + 40 + 4 * 4;
  EXPECT_EQ(ico.at(mask), 0x40);
  EXPECT_EQ(ico.at(mask + 4), 0x00);
}

}  // namespace
}  // namespace kx14::art
