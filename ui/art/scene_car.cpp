// A single-seater race car seen from behind, drawn in its own units: x from
// -1 (left tyre's outer face) to 1, y from 0 (the road) upwards to -1.3 (the
// top of the rear wing).
#include <algorithm>

#include "scene.h"

namespace kx14::art {

namespace {

void drawTyres(Canvas& canvas, const Placement& place) {
  for (const double side : {-1.0, 1.0}) {
    const double outer = side;
    const double inner = side * 0.6;
    canvas.fill(
        place(roundedRectangle(std::min(outer, inner), -0.66, std::max(outer, inner), 0, 0.1)),
        linearGradient({0, -0.7}, hex(0x3A3A3A), {0, 0}, hex(0x111111)));
    // The tread's sheen where the sky catches the top of the tyre.
    canvas.fill(place(roundedRectangle(std::min(outer, inner) + 0.05, -0.63,
                                       std::max(outer, inner) - 0.05, -0.55, 0.04)),
                hex(0x6A6A6A));
  }
}

void drawBody(Canvas& canvas, const Placement& place, const CarLivery& livery) {
  const Colour dark = mix(livery.body, hex(0x000000), 0.45);
  canvas.fill(place(rectangle(-0.62, -0.3, 0.62, -0.06)), hex(0x262626));  // diffuser
  canvas.fill(place(quad({-0.56, -0.26}, {0.56, -0.26}, {0.4, -0.66}, {-0.4, -0.66})),
              linearGradient(place({0, -0.66}), livery.body, place({0, -0.26}), dark));
  canvas.fill(place(quad({-0.3, -0.64}, {0.3, -0.64}, {0.15, -0.98}, {-0.15, -0.98})),
              linearGradient(place({0, -0.98}), mix(livery.body, hex(0xFFFFFF), 0.25),
                             place({0, -0.64}), livery.body));
  canvas.fill(place(quad({-0.05, -0.64}, {0.05, -0.64}, {0.03, -0.97}, {-0.03, -0.97})),
              livery.stripe);
  // Rain light, lit as racing rules ask for in poor visibility.
  canvas.fill(place(rectangle(-0.09, -0.24, 0.09, -0.14)), hex(0xFF3B30));
}

void drawDriver(Canvas& canvas, const Placement& place, const CarLivery& livery) {
  const Point centre = place({0, -0.96});
  const double radius = 0.19 * place.scaleX;
  canvas.fill(ellipse(centre, radius, radius),
              radialGradient({centre.x - radius * 0.3, centre.y - radius * 0.4}, radius * 1.3,
                             radius * 1.3, mix(livery.helmet, hex(0xFFFFFF), 0.5),
                             mix(livery.helmet, hex(0x000000), 0.25)));
  canvas.fill(place(rectangle(-0.19, -0.98, 0.19, -0.92)), livery.stripe);
}

void drawRearWing(Canvas& canvas, const Placement& place, const CarLivery& livery) {
  const Colour dark = mix(livery.body, hex(0x000000), 0.4);
  for (const double side : {-0.3, 0.26}) {  // pillars from the crash structure to the wing
    canvas.fill(place(rectangle(side, -1.1, side + 0.04, -0.62)), hex(0x202020));
  }
  canvas.fill(place(rectangle(-0.74, -1.3, 0.74, -1.1)), livery.body);
  canvas.fill(place(rectangle(-0.74, -1.23, 0.74, -1.17)), livery.stripe);
  canvas.fill(place(rectangle(-0.74, -1.12, 0.74, -1.06)), dark);
  for (const double side : {-1.0, 1.0}) {  // endplates
    canvas.fill(place(rectangle(side > 0 ? 0.72 : -0.8, -1.36, side > 0 ? 0.8 : -0.72, -0.86)),
                dark);
  }
}

}  // namespace

void drawCarFromBehind(Canvas& canvas, Point groundCentre, double halfWidth,
                       const CarLivery& livery) {
  const Placement place{groundCentre, halfWidth, halfWidth};
  canvas.fill(ellipse(groundCentre, halfWidth * 1.25, halfWidth * 0.12), hex(0x000000), 0.35);
  drawTyres(canvas, place);
  drawBody(canvas, place, livery);
  drawDriver(canvas, place, livery);
  drawRearWing(canvas, place, livery);
}

}  // namespace kx14::art
