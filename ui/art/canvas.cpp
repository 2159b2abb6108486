#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace kx14::art {

namespace {

constexpr int kSubScanlines = 16;

std::uint8_t toByte(double component) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(component, 0.0, 1.0) * 255.0));
}

}  // namespace

// Coverage of one pixel row, summed over its sub-scanlines, with the range of
// columns touched so that blending skips the untouched rest of the row.
struct Canvas::CoverageRow {
  explicit CoverageRow(int width) : coverage(static_cast<std::size_t>(width), 0.0) {}
  std::vector<double> coverage;
  int first = 0;
  int last = -1;

  void clear() {
    for (int column = first; column <= last; ++column) {
      coverage[static_cast<std::size_t>(column)] = 0;
    }
    first = 0;
    last = -1;
  }

  void addSpan(double from, double to, double weight) {
    const double width = static_cast<double>(coverage.size());
    from = std::clamp(from, 0.0, width);
    to = std::clamp(to, 0.0, width);
    if (to <= from) return;
    const int firstColumn = static_cast<int>(from);
    const int lastColumn = std::min(static_cast<int>(to), static_cast<int>(coverage.size()) - 1);
    if (last < first) {
      first = firstColumn;
      last = lastColumn;
    } else {
      first = std::min(first, firstColumn);
      last = std::max(last, lastColumn);
    }
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const double covered = std::min(to, column + 1.0) - std::max(from, double(column));
      if (covered > 0) coverage[static_cast<std::size_t>(column)] += covered * weight;
    }
  }
};

Point SceneToPixels::toPixels(Point scene) const {
  return {(scene.x - origin.x) * scaleX, (scene.y - origin.y) * scaleY};
}

Point SceneToPixels::toScene(Point pixel) const {
  return {pixel.x / scaleX + origin.x, pixel.y / scaleY + origin.y};
}

Canvas::Canvas(int width, int height, SceneToPixels mapping, Colour background)
    : width_(width),
      height_(height),
      mapping_(mapping),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void Canvas::fill(const Polygon& shape, Colour colour, double opacity) {
  fill(shape, solid(colour), opacity);
}

void Canvas::fill(const Polygon& shape, const Paint& paint, double opacity) {
  if (shape.size() < 3) return;
  Polygon pixelShape;
  pixelShape.reserve(shape.size());
  for (const Point& point : shape) pixelShape.push_back(mapping_.toPixels(point));
  const auto [lowest, highest] = std::minmax_element(pixelShape.begin(), pixelShape.end(),
                                                     [](Point a, Point b) { return a.y < b.y; });
  const int firstRow = std::max(0, static_cast<int>(std::floor(lowest->y)));
  const int lastRow = std::min(height_ - 1, static_cast<int>(std::ceil(highest->y)));
  CoverageRow row(width_);
  std::vector<Crossing> crossings;
  for (int y = firstRow; y <= lastRow; ++y) {
    for (int sub = 0; sub < kSubScanlines; ++sub) {
      accumulateSubScanline(pixelShape, y + (sub + 0.5) / kSubScanlines, 1.0 / kSubScanlines,
                            crossings, row);
    }
    blendRow(y, row, paint, opacity);
  }
}

void Canvas::accumulateSubScanline(const Polygon& pixelShape, double y, double weight,
                                   std::vector<Crossing>& crossings, CoverageRow& row) {
  crossings.clear();
  for (std::size_t i = 0; i < pixelShape.size(); ++i) {
    const Point& a = pixelShape[i];
    const Point& b = pixelShape[(i + 1) % pixelShape.size()];
    // Half-open in y, so a vertex shared by two edges is counted once.
    const bool downward = a.y <= y && y < b.y;
    const bool upward = b.y <= y && y < a.y;
    if (!downward && !upward) continue;
    const double x = a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x);
    crossings.push_back({x, downward ? 1 : -1});
  }
  std::sort(crossings.begin(), crossings.end(),
            [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  double spanStart = 0;
  for (const Crossing& crossing : crossings) {
    const int before = winding;
    winding += crossing.direction;
    if (before == 0 && winding != 0) spanStart = crossing.x;
    if (before != 0 && winding == 0) row.addSpan(spanStart, crossing.x, weight);
  }
}

// Blends and then clears the row's coverage, ready for the next row.
void Canvas::blendRow(int y, CoverageRow& row, const Paint& paint, double opacity) {
  for (int x = row.first; x <= row.last; ++x) {
    const double coverage = std::min(1.0, row.coverage[static_cast<std::size_t>(x)]);
    if (coverage <= 0) continue;
    const Colour colour = paint(mapping_.toScene({x + 0.5, y + 0.5}));
    const double alpha = coverage * opacity * colour.a;
    Colour& pixel = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
    pixel = mix(pixel, withAlpha(colour, pixel.a), alpha);
  }
  row.clear();
}

RgbImage Canvas::toImage() const {
  RgbImage image(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Colour& c = pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                static_cast<std::size_t>(x)];
      image.at(x, y) = {toByte(c.r), toByte(c.g), toByte(c.b)};
    }
  }
  return image;
}

}  // namespace kx14::art
