#include "ui/art/glyphs.h"

#include <gtest/gtest.h>

#include <functional>

#include "bmp_test_support.h"
#include "ui/art/bmp_writer.h"

namespace kx14::art {
namespace {

using namespace testing;

struct GlyphCase {
  const char* name;
  std::function<IndexedImage()> draw;
  int width;
  int height;
};

void PrintTo(const GlyphCase& c, std::ostream* out) { *out << c.name; }

class Glyph : public ::testing::TestWithParam<GlyphCase> {};

TEST_P(Glyph, HasItsSizeAndAMagentaBackgroundInEveryCorner) {
  const IndexedImage glyph = GetParam().draw();
  ASSERT_EQ(glyph.width(), GetParam().width);
  ASSERT_EQ(glyph.height(), GetParam().height);
  EXPECT_EQ(glyph.palette()[kTransparentIndex], kTransparentColour);
  const int right = glyph.width() - 1;
  const int bottom = glyph.height() - 1;
  EXPECT_EQ(glyph.at(0, 0), kTransparentIndex);
  EXPECT_EQ(glyph.at(right, 0), kTransparentIndex);
  EXPECT_EQ(glyph.at(0, bottom), kTransparentIndex);
  EXPECT_EQ(glyph.at(right, bottom), kTransparentIndex);
}

// Only the background may be magenta: an opaque pixel of that colour would be
// punched out when the window keys out the background.
TEST_P(Glyph, NoOtherPaletteEntryIsMagenta) {
  const IndexedImage glyph = GetParam().draw();
  for (std::size_t i = 0; i < glyph.palette().size(); ++i) {
    if (i == kTransparentIndex) continue;
    EXPECT_NE(glyph.palette()[i], kTransparentColour) << "palette entry " << i;
  }
}

// Toolkits that take the transparent colour from a glyph's bottom-left pixel
// find it in the first byte of the pixel data.
TEST_P(Glyph, EncodesAsA256ColourBitmapStartingWithTheBackground) {
  const Bytes bytes = encodeBmp8(GetParam().draw());
  EXPECT_EQ(le16(bytes, kBitCount), 8u);
  EXPECT_EQ(le32(bytes, kColoursUsed), 256u);
  EXPECT_EQ(bytes.at(le32(bytes, kDataOffset)), kTransparentIndex);
}

INSTANTIATE_TEST_SUITE_P(CommandButtons, Glyph,
                         ::testing::Values(GlyphCase{"program", programGlyph, 24, 16},
                                           GlyphCase{"read", readGlyph, 24, 16},
                                           GlyphCase{"exit", exitGlyph, 24, 14}),
                         [](const auto& test) { return std::string(test.param.name); });

// Mean column of the pixels drawn in green: tells which side the arrow is on.
double greenCentreX(const IndexedImage& glyph) {
  double sum = 0;
  int count = 0;
  for (int y = 0; y < glyph.height(); ++y) {
    for (int x = 0; x < glyph.width(); ++x) {
      const Rgb& c = glyph.palette()[glyph.at(x, y)];
      if (c.g > 80 && c.r < c.g / 2 && c.b < c.g / 2) {
        sum += x;
        ++count;
      }
    }
  }
  return count ? sum / count : -1;
}

TEST(GlyphArrows, ProgramSendsRightwardsFromTheComputerAndReadLeftwardsFromTheDevice) {
  EXPECT_GT(greenCentreX(programGlyph()), 14.0);
  const double readArrow = greenCentreX(readGlyph());
  EXPECT_GE(readArrow, 0.0);
  EXPECT_LT(readArrow, 9.0);
}

}  // namespace
}  // namespace kx14::art
