// Points and polygon builders for the artwork, in scene coordinates
// (floating point; the canvas maps them to pixels).
#pragma once

#include <vector>

namespace kx14::art {

struct Point {
  double x = 0;
  double y = 0;
};

// A closed outline; the last point joins the first. Filled by the non-zero
// winding rule, so overlapping parts of one outline stay filled.
using Polygon = std::vector<Point>;

// Moves and scales local shape coordinates into the scene: a drawing of a car
// or a flag is written once around its own origin and placed where it stands.
struct Placement {
  Point origin;
  double scaleX = 1;
  double scaleY = 1;
  Point operator()(Point local) const {
    return {origin.x + local.x * scaleX, origin.y + local.y * scaleY};
  }
  Polygon operator()(const Polygon& local) const;
};

Point lerp(Point a, Point b, double t);

Polygon rectangle(double left, double top, double right, double bottom);
Polygon roundedRectangle(double left, double top, double right, double bottom, double radius);
Polygon ellipse(Point centre, double radiusX, double radiusY, int segments = 96);
// A stroke whose width changes linearly from one end to the other: a
// speed streak that fades to a point.
Polygon taperedLine(Point from, double widthFrom, Point to, double widthTo);
Polygon quad(Point a, Point b, Point c, Point d);

}  // namespace kx14::art
