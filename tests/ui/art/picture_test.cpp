#include "ui/art/picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "bmp_test_support.h"
#include "ui/art/bmp_writer.h"

namespace kx14::art {
namespace {

using namespace testing;

class Picture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { picture_ = new RgbImage(drawRacingPicture()); }
  static void TearDownTestSuite() {
    delete picture_;
    picture_ = nullptr;
  }

  // How busy a window area looks: the mean colour change between
  // neighbouring picture pixels inside it. The area is given in window
  // pixels; the window draws the picture at x -8, squeezed to 321 x 345.
  static double busyness(int left, int top, int right, int bottom) {
    const double toPictureX = kPictureWidth / 321.0;
    const double toPictureY = kPictureHeight / 345.0;
    const int x0 = static_cast<int>((left + 8) * toPictureX);
    const int x1 = static_cast<int>((right + 8) * toPictureX);
    const int y0 = static_cast<int>(top * toPictureY);
    const int y1 = static_cast<int>(bottom * toPictureY);
    double change = 0;
    int pairs = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x + 1 < x1; ++x) {
        const Rgb& a = picture_->at(x, y);
        const Rgb& b = picture_->at(x + 1, y);
        change += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        ++pairs;
      }
    }
    return change / pairs;
  }

  static RgbImage* picture_;
};

RgbImage* Picture::picture_ = nullptr;

TEST_F(Picture, IsA24BitImageOfTheStoredSizeWithoutRowPadding) {
  ASSERT_EQ(picture_->width(), 796);
  ASSERT_EQ(picture_->height(), 478);
  const Bytes bytes = encodeBmp24(*picture_);
  EXPECT_EQ(le16(bytes, kBitCount), 24u);
  EXPECT_EQ(bytes.size(), 54u + 796u * 3u * 478u);
}

TEST_F(Picture, IsTheSameOnEveryDraw) {
  const RgbImage again = drawRacingPicture();
  for (int y = 0; y < again.height(); ++y) {
    for (int x = 0; x < again.width(); ++x) {
      ASSERT_EQ(again.at(x, y), picture_->at(x, y)) << "at " << x << ", " << y;
    }
  }
}

// The preset buttons stand at x 96..205 (shadow strips included) from y 16
// to 253; the picture must not fight with their captions, while the strips
// left and right of them carry the scene.
TEST_F(Picture, KeepsTheAreaUnderTheButtonsCalmerThanTheSidesBesideIt) {
  const double underButtons = busyness(96, 16, 205, 253);
  const double leftSide = busyness(0, 0, 90, 264);
  const double rightSide = busyness(210, 0, 310, 264);
  EXPECT_LT(underButtons, 0.5 * leftSide);
  EXPECT_LT(underButtons, 0.5 * rightSide);
}

}  // namespace
}  // namespace kx14::art
