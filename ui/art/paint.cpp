#include "paint.h"

#include <algorithm>
#include <cmath>

namespace kx14::art {

Colour hex(std::uint32_t rgb) {
  return {((rgb >> 16) & 0xFFu) / 255.0, ((rgb >> 8) & 0xFFu) / 255.0, (rgb & 0xFFu) / 255.0, 1};
}

Colour mix(Colour from, Colour to, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour withAlpha(Colour colour, double alpha) {
  colour.a = alpha;
  return colour;
}

Paint solid(Colour colour) {
  return [colour](Point) { return colour; };
}

Paint linearGradient(Point from, Colour fromColour, Point to, Colour toColour) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double lengthSquared = dx * dx + dy * dy;
  return [=](Point p) {
    const double t =
        lengthSquared > 0 ? ((p.x - from.x) * dx + (p.y - from.y) * dy) / lengthSquared : 0.0;
    return mix(fromColour, toColour, t);
  };
}

Paint verticalGradient(double top, Colour topColour, double bottom, Colour bottomColour) {
  return linearGradient({0, top}, topColour, {0, bottom}, bottomColour);
}

Paint radialGradient(Point centre, double radiusX, double radiusY, Colour inner, Colour outer) {
  return [=](Point p) {
    const double distance = std::hypot((p.x - centre.x) / radiusX, (p.y - centre.y) / radiusY);
    return mix(inner, outer, distance);
  };
}

}  // namespace kx14::art
