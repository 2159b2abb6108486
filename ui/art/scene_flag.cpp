// The chequered flag, waving from a pole at the top left.
#include <cmath>
#include <numbers>

#include "scene.h"

namespace kx14::art {

namespace {

constexpr Point kPoleTop{10, 6};
constexpr double kPoleBottom = 150;
constexpr double kClothLeft = 12;
constexpr double kClothTop = 10;
constexpr double kClothWidth = 64;  // ends clear of the lone shadow box at x 80, y 64
constexpr double kClothHeight = 50;
constexpr int kColumns = 6;
constexpr int kRows = 5;
constexpr double kWaveLength = 46;

// The wave's phase at a distance along the cloth; the cloth is held still at
// the pole and swings more the farther it is from it.
double wavePhase(double along) { return 2 * std::numbers::pi * along / kWaveLength; }

Point clothPoint(double along, double down) {
  const double swing = 6 * (along / kClothWidth) + 1;
  return {kClothLeft + along - 1.5 * (1 - std::cos(wavePhase(along))),
          kClothTop + down + swing * std::sin(wavePhase(along)) + 0.05 * along};
}

// Light falls on the cloth from the upper right; slopes facing away are darker.
double clothLight(double along) { return 0.82 + 0.18 * std::cos(wavePhase(along) + 0.6); }

void drawCell(Canvas& canvas, int column, int row) {
  const double cellWidth = kClothWidth / kColumns;
  const double cellHeight = kClothHeight / kRows;
  constexpr int kSlices = 4;  // each cell in vertical slices, so its edges follow the wave
  const bool black = (column + row) % 2 == 0;
  for (int slice = 0; slice < kSlices; ++slice) {
    const double from = (column + double(slice) / kSlices) * cellWidth;
    const double to = (column + double(slice + 1) / kSlices) * cellWidth;
    const double top = row * cellHeight;
    const double bottom = (row + 1) * cellHeight;
    const double light = clothLight((from + to) / 2);
    const Colour base = black ? hex(0x161616) : hex(0xFFFFFF);
    const Colour shaded{base.r * light, base.g * light, base.b * light, 1};
    // Slightly widened so that neighbouring slices leave no hairline seams.
    canvas.fill(quad(clothPoint(from - 0.05, top), clothPoint(to + 0.05, top),
                     clothPoint(to + 0.05, bottom), clothPoint(from - 0.05, bottom)),
                shaded);
  }
}

}  // namespace

void drawChequeredFlag(Canvas& canvas) {
  canvas.fill(
      rectangle(kPoleTop.x - 1.6, kPoleTop.y, kPoleTop.x + 1.6, kPoleBottom),
      linearGradient({kPoleTop.x - 1.6, 0}, hex(0xF0F0F0), {kPoleTop.x + 1.6, 0}, hex(0x8A8A8A)));
  canvas.fill(ellipse(kPoleTop, 3, 3), hex(0xFFD23C));
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) drawCell(canvas, column, row);
  }
}

}  // namespace kx14::art
