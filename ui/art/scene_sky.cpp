// Sky, sun, clouds and the distant hills at the horizon.
#include <cmath>

#include "scene.h"

namespace kx14::art {

namespace {

using L = SceneLayout;

void drawSun(Canvas& canvas) {
  const Point centre{276, 32};
  canvas.fill(
      ellipse(centre, 60, 60),
      radialGradient(centre, 60, 60, withAlpha(hex(0xFFF4C0), 0.85), withAlpha(hex(0xFFF4C0), 0)));
  canvas.fill(ellipse(centre, 14, 14),
              radialGradient(centre, 14, 14, hex(0xFFFFF0), hex(0xFFE88A)));
}

// A cumulus cloud: overlapping puffs over a flat base, lit from above.
void drawCloud(Canvas& canvas, Point base, double width) {
  const double h = width * 0.22;
  const Paint shade = verticalGradient(base.y - 2.2 * h, hex(0xFFFFFF), base.y, hex(0xD5E3F2));
  const struct {
    double dx, dy, r;
  } puffs[] = {{-0.32, -0.55, 0.55}, {-0.05, -1.05, 0.8}, {0.28, -0.75, 0.62}, {0.48, -0.4, 0.42}};
  for (const auto& puff : puffs) {
    canvas.fill(
        ellipse({base.x + puff.dx * width, base.y + puff.dy * h}, puff.r * h * 1.3, puff.r * h),
        shade, 0.95);
  }
  canvas.fill(roundedRectangle(base.x - 0.55 * width, base.y - 0.5 * h, base.x + 0.62 * width,
                               base.y, 0.45 * h),
              shade, 0.95);
}

}  // namespace

void drawSky(Canvas& canvas) {
  canvas.fill(rectangle(L::kLeft, 0, L::kRight, L::kHorizonY + 2),
              verticalGradient(0, hex(0x1B4FB8), L::kHorizonY, hex(0xC4E2FF)));
  drawSun(canvas);
  drawCloud(canvas, {252, 78}, 44);
  drawCloud(canvas, {150, 40}, 30);
}

void drawHorizon(Canvas& canvas) {
  Polygon hills{{L::kRight, L::kHorizonY + 2}, {L::kLeft, L::kHorizonY + 2}};
  for (double x = L::kLeft; x <= L::kRight; x += 2) {
    const double rise = 7 + 4 * std::sin(x / 23.0) + 3 * std::sin(x / 9.0 + 1.3);
    hills.push_back({x, L::kHorizonY - rise});
  }
  canvas.fill(hills,
              verticalGradient(L::kHorizonY - 14, hex(0x8FB0C4), L::kHorizonY, hex(0x6F98A8)));
  Polygon trees{{L::kRight, L::kHorizonY + 2}, {L::kLeft, L::kHorizonY + 2}};
  for (double x = L::kLeft; x <= L::kRight; x += 1.5) {
    const double rise = 3 + 1.6 * std::abs(std::sin(x / 3.1)) + 1.2 * std::sin(x / 17.0);
    trees.push_back({x, L::kHorizonY - rise});
  }
  canvas.fill(trees, hex(0x3F7550));
}

}  // namespace kx14::art
