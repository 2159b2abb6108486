// Colours and paints (colour as a function of the scene position) for the
// anti-aliased canvas.
#pragma once

#include <cstdint>
#include <functional>

#include "geometry.h"

namespace kx14::art {

// Components 0..1; `a` is the paint's own opacity.
struct Colour {
  double r = 0;
  double g = 0;
  double b = 0;
  double a = 1;
};

// 0xRRGGBB, fully opaque.
Colour hex(std::uint32_t rgb);
Colour mix(Colour from, Colour to, double t);
Colour withAlpha(Colour colour, double alpha);

using Paint = std::function<Colour(Point)>;

Paint solid(Colour colour);
// Colour changes along the line from `from` to `to` and stays constant
// beyond either end.
Paint linearGradient(Point from, Colour fromColour, Point to, Colour toColour);
Paint verticalGradient(double top, Colour topColour, double bottom, Colour bottomColour);
// Elliptical falloff: `inner` at the centre, `outer` at the ellipse's rim and beyond.
Paint radialGradient(Point centre, double radiusX, double radiusY, Colour inner, Colour outer);

}  // namespace kx14::art
