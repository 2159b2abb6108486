// The grass, the road with its kerbs, and the speed streaks, all in the
// perspective of one TrackView.
#include <algorithm>
#include <cmath>

#include "scene.h"

namespace kx14::art {

namespace {

using L = SceneLayout;

constexpr double kKerbWidth = 0.11;       // in road half-widths
constexpr double kKerbBlockLength = 0.5;  // in units of the nearest depth
constexpr double kGrassBandLength = 1.6;

// One edge of a band of road between two lateral positions, sampled finely
// enough that the bend stays smooth.
Polygon lateralBand(const TrackView& track, double innerLateral, double outerLateral, double nearU,
                    double farU) {
  constexpr int kSamples = 24;
  Polygon band;
  for (int i = 0; i <= kSamples; ++i) {
    band.push_back(track.at(innerLateral, nearU + (farU - nearU) * i / kSamples));
  }
  for (int i = kSamples; i >= 0; --i) {
    band.push_back(track.at(outerLateral, nearU + (farU - nearU) * i / kSamples));
  }
  return band;
}

void drawKerb(Canvas& canvas, const TrackView& track, double side) {
  const double inner = side;
  const double outer = side * (1 + kKerbWidth);
  canvas.fill(lateralBand(track, inner, outer, 1.2, track.farthest), hex(0xF4F4F4));
  for (int n = 0;; n += 2) {
    const double nearU = TrackView::stretchBoundary(n, kKerbBlockLength);
    const double farU = TrackView::stretchBoundary(n + 1, kKerbBlockLength);
    if (nearU <= track.farthest) break;
    canvas.fill(lateralBand(track, inner, outer, nearU, std::max(farU, track.farthest)),
                hex(0xD8202A));
  }
}

}  // namespace

double TrackView::yAt(double u) const { return L::kHorizonY + (L::kBottom - L::kHorizonY) * u; }

double TrackView::centreAt(double u) const { return centreX + bend * (1 / u - 1); }

Point TrackView::at(double lateral, double u) const {
  return {centreAt(u) + lateral * halfWidth * u, yAt(u)};
}

double TrackView::stretchBoundary(int n, double stretchLength) {
  return 1 / (1 + n * stretchLength);
}

void drawGrass(Canvas& canvas, const TrackView& track) {
  canvas.fill(rectangle(L::kLeft, L::kHorizonY - 1, L::kRight, L::kBottom),
              verticalGradient(L::kHorizonY, hex(0x86B86C), L::kBottom, hex(0x2E8B2E)));
  // Mowing stripes: every other band of equal real length a little lighter.
  for (int n = 0;; n += 2) {
    const double nearU = TrackView::stretchBoundary(n, kGrassBandLength);
    const double farU = TrackView::stretchBoundary(n + 1, kGrassBandLength);
    if (farU <= 0.02) break;
    canvas.fill(rectangle(L::kLeft, track.yAt(farU), L::kRight, track.yAt(nearU)), hex(0xB8F090),
                0.16);
  }
}

void drawTrack(Canvas& canvas, const TrackView& track) {
  const Colour nearAsphalt = hex(0x4C5058);
  const Colour farAsphalt = hex(0x9BA3AE);
  canvas.fill(lateralBand(track, -1, 1, 1.2, track.farthest),
              verticalGradient(L::kHorizonY, farAsphalt, L::kBottom, nearAsphalt));
  drawKerb(canvas, track, -1);
  drawKerb(canvas, track, 1);
}

void drawSpeedLines(Canvas& canvas, const TrackView& track) {
  const Point vanishing = track.at(0, track.farthest);
  // Each streak lies on a ray from the vanishing point: it starts `from` and
  // ends `to` of the way towards its target point, thickening as it nears.
  const struct {
    Point target;
    double from, to, width;
  } streaks[] = {
      {{-6, 150}, 0.35, 0.95, 2.2}, {{-8, 196}, 0.45, 0.9, 2.6},  {{30, 262}, 0.5, 0.97, 3.0},
      {{-8, 240}, 0.55, 1.0, 2.4},  {{76, 262}, 0.62, 0.95, 2.0}, {{312, 150}, 0.5, 1.0, 2.0},
      {{312, 214}, 0.72, 1.0, 2.4},
  };
  for (const auto& streak : streaks) {
    const Point start = lerp(vanishing, streak.target, streak.from);
    const Point end = lerp(vanishing, streak.target, streak.to);
    canvas.fill(taperedLine(start, 0.1, end, streak.width),
                linearGradient(start, withAlpha(hex(0xFFFFFF), 0), end, hex(0xFFFFFF)), 0.7);
  }
}

}  // namespace kx14::art
