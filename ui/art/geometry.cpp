#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kx14::art {

Polygon Placement::operator()(const Polygon& local) const {
  Polygon placed;
  placed.reserve(local.size());
  for (const Point& point : local) placed.push_back((*this)(point));
  return placed;
}

Point lerp(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

Polygon rectangle(double left, double top, double right, double bottom) {
  return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

Polygon roundedRectangle(double left, double top, double right, double bottom, double radius) {
  radius = std::min({radius, (right - left) / 2, (bottom - top) / 2});
  constexpr int kStepsPerCorner = 12;
  const Point centres[4] = {{right - radius, top + radius},
                            {right - radius, bottom - radius},
                            {left + radius, bottom - radius},
                            {left + radius, top + radius}};
  Polygon outline;
  for (int corner = 0; corner < 4; ++corner) {
    const double start = (corner - 1) * std::numbers::pi / 2;
    for (int step = 0; step <= kStepsPerCorner; ++step) {
      const double angle = start + step * (std::numbers::pi / 2) / kStepsPerCorner;
      outline.push_back({centres[corner].x + radius * std::cos(angle),
                         centres[corner].y + radius * std::sin(angle)});
    }
  }
  return outline;
}

Polygon ellipse(Point centre, double radiusX, double radiusY, int segments) {
  Polygon outline;
  outline.reserve(static_cast<std::size_t>(segments));
  for (int i = 0; i < segments; ++i) {
    const double angle = 2 * std::numbers::pi * i / segments;
    outline.push_back({centre.x + radiusX * std::cos(angle), centre.y + radiusY * std::sin(angle)});
  }
  return outline;
}

Polygon taperedLine(Point from, double widthFrom, Point to, double widthTo) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return {};
  const Point normal{-dy / length, dx / length};
  const auto offset = [&](Point p, double halfWidth, double side) {
    return Point{p.x + normal.x * halfWidth * side, p.y + normal.y * halfWidth * side};
  };
  return {offset(from, widthFrom / 2, 1), offset(to, widthTo / 2, 1), offset(to, widthTo / 2, -1),
          offset(from, widthFrom / 2, -1)};
}

Polygon quad(Point a, Point b, Point c, Point d) { return {a, b, c, d}; }

}  // namespace kx14::art
