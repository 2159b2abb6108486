// The icon is drawn in units of 0..100 on both sides.
#include "icon.h"

#include <algorithm>
#include <cmath>

#include "scene.h"

namespace kx14::art {
namespace {

constexpr double kUnits = 100;
constexpr double kTileLeft = 4;
constexpr double kTileRight = 96;
constexpr double kTileTop = 4;
constexpr double kTileBottom = 96;
constexpr double kTileRadius = 18;
constexpr double kHorizonY = 58;
constexpr double kRoadCentreX = 50;

void drawSkyAndGrass(Canvas& canvas) {
  canvas.fill(roundedRectangle(kTileLeft, kTileTop, kTileRight, kTileBottom, kTileRadius),
              verticalGradient(kTileTop, hex(0x2F6FC8), kHorizonY, hex(0xBFDCF5)));
  // The grass in two parts: a band with square upper corners where it meets
  // the sky at the tile's straight sides, and the tile's rounded bottom.
  const Paint grass = verticalGradient(kHorizonY, hex(0x4F9A3A), kTileBottom, hex(0x2E6E22));
  const double cornerStart = kTileBottom - kTileRadius;
  canvas.fill(rectangle(kTileLeft, kHorizonY, kTileRight, cornerStart), grass);
  canvas.fill(roundedRectangle(kTileLeft, kHorizonY, kTileRight, kTileBottom, kTileRadius), grass);
}

void drawRoad(Canvas& canvas) {
  const Point farLeft{kRoadCentreX - 3, kHorizonY};
  const Point farRight{kRoadCentreX + 3, kHorizonY};
  const Point nearLeft{23, kTileBottom};
  const Point nearRight{77, kTileBottom};
  canvas.fill(quad(farLeft, farRight, nearRight, nearLeft),
              verticalGradient(kHorizonY, hex(0x9A9A9A), kTileBottom, hex(0x5A5A5A)));
  // The edge lines stop short of the tile's bottom, which their width would overhang.
  constexpr double kLineEnd = 0.97;
  canvas.fill(taperedLine(farLeft, 0.4, lerp(farLeft, nearLeft, kLineEnd), 2.6), hex(0xFFFFFF));
  canvas.fill(taperedLine(farRight, 0.4, lerp(farRight, nearRight, kLineEnd), 2.6), hex(0xFFFFFF));
}

void drawFlag(Canvas& canvas) {
  constexpr double kLeft = 15;
  constexpr double kTop = 14;
  constexpr double kCell = 6;
  constexpr int kColumns = 4;
  constexpr int kRows = 3;
  canvas.fill(rectangle(kLeft - 2, kTop - 1, kLeft - 0.5, kTop + 30), hex(0xE8E8E8));
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const bool black = (row + column) % 2 == 0;
      const double left = kLeft + column * kCell;
      const double top = kTop + row * kCell;
      canvas.fill(rectangle(left, top, left + kCell, top + kCell),
                  black ? hex(0x161616) : hex(0xFFFFFF));
    }
  }
}

RgbImage drawOn(Colour background, int size) {
  const double scale = size / kUnits;
  Canvas canvas(size, size, SceneToPixels{{0, 0}, scale, scale}, background);
  drawSkyAndGrass(canvas);
  drawRoad(canvas);
  drawFlag(canvas);
  drawCarFromBehind(canvas, {kRoadCentreX, 89}, 27,
                    {hex(0xD81E1E), hex(0xFFFFFF), hex(0xF4F4F4)});
  return canvas.toImage();
}

std::uint8_t unpremultiplied(std::uint8_t onBlack, int alpha) {
  return static_cast<std::uint8_t>(std::min(255, (onBlack * 255 + alpha / 2) / alpha));
}

}  // namespace

// The canvas blends over an opaque background and keeps no coverage of its
// own, so the icon is drawn twice, over black and over white: a pixel of
// colour c and opacity a shows as a*c over black and as a*c + (1 - a) over
// white, which gives a from the difference and c from the black drawing.
RgbaImage drawAppIcon(int size) {
  const RgbImage onBlack = drawOn(hex(0x000000), size);
  const RgbImage onWhite = drawOn(hex(0xFFFFFF), size);
  RgbaImage icon{size, size, {}};
  icon.rgba.reserve(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgb& b = onBlack.at(x, y);
      const Rgb& w = onWhite.at(x, y);
      const int difference = (w.r - b.r) + (w.g - b.g) + (w.b - b.b);
      const int alpha = std::clamp(255 - (difference + 1) / 3, 0, 255);
      if (alpha == 0) {
        icon.rgba.insert(icon.rgba.end(), {0, 0, 0, 0});
      } else {
        icon.rgba.insert(icon.rgba.end(),
                         {unpremultiplied(b.r, alpha), unpremultiplied(b.g, alpha),
                          unpremultiplied(b.b, alpha), static_cast<std::uint8_t>(alpha)});
      }
    }
  }
  return icon;
}

}  // namespace kx14::art
