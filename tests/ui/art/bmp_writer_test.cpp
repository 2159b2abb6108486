#include "ui/art/bmp_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bmp_test_support.h"
#include "temp_dir.h"

namespace kx14::art {
namespace {

using namespace testing;

struct HeaderCase {
  int width;
  int height;
  int bitsPerPixel;
  int expectedStride;
};

class BmpHeader : public ::testing::TestWithParam<HeaderCase> {
 protected:
  Bytes encode() const {
    const HeaderCase& c = GetParam();
    if (c.bitsPerPixel == 24) return encodeBmp24(RgbImage(c.width, c.height));
    return encodeBmp8(IndexedImage(c.width, c.height, IndexedImage::Palette{}));
  }
};

TEST_P(BmpHeader, DescribesAnUncompressedBottomUpImageWithPaddedRows) {
  const HeaderCase& c = GetParam();
  const Bytes bytes = encode();
  const std::uint32_t paletteBytes = c.bitsPerPixel == 8 ? 256 * 4 : 0;
  const std::uint32_t offset = 14 + 40 + paletteBytes;
  const auto dataSize = static_cast<std::uint32_t>(c.expectedStride * c.height);

  EXPECT_EQ(bmpRowStride(c.width, c.bitsPerPixel), c.expectedStride);
  ASSERT_EQ(bytes.size(), offset + dataSize);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(le32(bytes, kFileSize), bytes.size());
  EXPECT_EQ(le32(bytes, kDataOffset), offset);
  EXPECT_EQ(le32(bytes, kInfoSize), 40u);
  EXPECT_EQ(le32(bytes, kWidth), std::uint32_t(c.width));
  EXPECT_EQ(le32(bytes, kHeight), std::uint32_t(c.height)) << "positive height: bottom-up rows";
  EXPECT_EQ(le16(bytes, kPlanes), 1u);
  EXPECT_EQ(le16(bytes, kBitCount), std::uint32_t(c.bitsPerPixel));
  EXPECT_EQ(le32(bytes, kCompression), 0u) << "BI_RGB";
  EXPECT_EQ(le32(bytes, kImageSize), dataSize);
  EXPECT_EQ(le32(bytes, kColoursUsed), c.bitsPerPixel == 8 ? 256u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, BmpHeader,
                         ::testing::Values(HeaderCase{1, 1, 24, 4}, HeaderCase{2, 3, 24, 8},
                                           HeaderCase{3, 2, 24, 12}, HeaderCase{4, 1, 24, 12},
                                           HeaderCase{5, 2, 24, 16}, HeaderCase{796, 478, 24, 2388},
                                           HeaderCase{1, 1, 8, 4}, HeaderCase{3, 2, 8, 4},
                                           HeaderCase{5, 2, 8, 8}, HeaderCase{24, 16, 8, 24},
                                           HeaderCase{24, 14, 8, 24}));

TEST(Bmp24, StoresTheTopRowLastInBlueGreenRedOrderWithZeroPadding) {
  RgbImage image(3, 2);
  image.at(0, 0) = {10, 20, 30};  // top left
  image.at(2, 0) = {40, 50, 60};  // top right
  image.at(0, 1) = {70, 80, 90};  // bottom left
  const Bytes bytes = encodeBmp24(image);
  const std::size_t data = le32(bytes, kDataOffset);
  const std::size_t stride = 12;  // 9 bytes of pixels, 3 of padding

  const std::size_t bottomRow = data;
  EXPECT_EQ(bytes[bottomRow + 0], 90);
  EXPECT_EQ(bytes[bottomRow + 1], 80);
  EXPECT_EQ(bytes[bottomRow + 2], 70);
  const std::size_t topRow = data + stride;
  EXPECT_EQ(bytes[topRow + 0], 30);
  EXPECT_EQ(bytes[topRow + 2], 10);
  EXPECT_EQ(bytes[topRow + 6], 60);
  EXPECT_EQ(bytes[topRow + 8], 40);
  for (std::size_t pad = 9; pad < stride; ++pad) {
    EXPECT_EQ(bytes[bottomRow + pad], 0);
    EXPECT_EQ(bytes[topRow + pad], 0);
  }
}

TEST(Bmp8, StoresThePaletteAsBlueGreenRedReservedAndIndicesBottomUp) {
  IndexedImage::Palette palette{};
  palette[0] = {255, 0, 255};
  palette[7] = {1, 2, 3};
  IndexedImage image(3, 2, palette, 0);
  image.at(1, 0) = 7;  // top row
  const Bytes bytes = encodeBmp8(image);

  EXPECT_EQ(bytes[kPalette + 0], 255);  // entry 0: blue, green, red, reserved
  EXPECT_EQ(bytes[kPalette + 1], 0);
  EXPECT_EQ(bytes[kPalette + 2], 255);
  EXPECT_EQ(bytes[kPalette + 3], 0);
  EXPECT_EQ(bytes[kPalette + 7 * 4 + 0], 3);
  EXPECT_EQ(bytes[kPalette + 7 * 4 + 2], 1);
  const std::size_t data = le32(bytes, kDataOffset);
  EXPECT_EQ(data, kPalette + 1024);
  EXPECT_EQ(bytes[data + 1], 0) << "bottom row comes first";
  EXPECT_EQ(bytes[data + 4 + 1], 7) << "top row comes last";
  EXPECT_EQ(bytes[data + 3], 0) << "padding byte";
}

class WriteFile : public ::testing::Test {
 protected:
  kx14::testing::TempDir temp_;
  const std::filesystem::path& directory_ = temp_.path();
};

TEST_F(WriteFile, ReplacesTheFileWithExactlyTheBytesAndLeavesNoTemporary) {
  const auto path = directory_ / "image.bmp";
  std::ofstream(path) << "an older, longer image that must disappear entirely";
  const Bytes bytes{'B', 'M', 0, 1, 0xFF};
  ASSERT_TRUE(writeFileAtomically(path, bytes));
  std::ifstream file(path, std::ios::binary);
  const Bytes back{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory_),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(WriteFile, ReportsFailureForAMissingDirectory) {
  EXPECT_FALSE(writeFileAtomically(directory_ / "missing" / "image.bmp", Bytes{1, 2, 3}));
  EXPECT_FALSE(std::filesystem::exists(directory_ / "missing"));
}

}  // namespace
}  // namespace kx14::art
