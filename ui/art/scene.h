// The racing scene behind the handicap buttons. Every part is drawn in the
// window coordinates of the picture panel (x -8..313, y 0..345: the picture
// overhangs the panel by 8 pixels on the left), not in picture pixels: the
// stored 796 x 478 picture is squeezed into 321 x 345 on screen, and drawing
// in screen units is what keeps a wheel round after that squeeze.
#pragma once

#include "canvas.h"

namespace kx14::art {

// Where the window covers the picture. The scene keeps these areas calm and
// puts its subjects left and right of the button column and above the
// comment box.
struct SceneLayout {
  static constexpr double kLeft = -8;
  static constexpr double kRight = 313;
  static constexpr double kBottom = 345;
  static constexpr double kButtonsLeft = 96;
  static constexpr double kButtonsRight = 205;  // button plus its shadow strip
  static constexpr double kButtonsTop = 16;
  static constexpr double kCommentTop = 264;
  static constexpr double kHorizonY = 104;
};

// The perspective of the track: depth `u` runs from 1 at the bottom of the
// picture towards 0 at the horizon (u is the reciprocal of the distance), and
// `lateral` from -1 at the left road edge to +1 at the right one. The road
// bends to the right as it goes away.
struct TrackView {
  double centreX = 138;
  double halfWidth = 330;
  double bend = 5.5;
  double farthest = 0.035;  // depth where the road meets the horizon haze
  double yAt(double u) const;
  double centreAt(double u) const;
  Point at(double lateral, double u) const;
  // Depth of the n-th boundary of equally long stretches of road, so that
  // kerb blocks and grass bands shrink towards the horizon as real ones do.
  static double stretchBoundary(int n, double stretchLength);
};

void drawSky(Canvas& canvas);
void drawHorizon(Canvas& canvas);
void drawGrandstand(Canvas& canvas);
void drawGrass(Canvas& canvas, const TrackView& track);
void drawTrack(Canvas& canvas, const TrackView& track);
void drawSpeedLines(Canvas& canvas, const TrackView& track);
void drawChequeredFlag(Canvas& canvas);

struct CarLivery {
  Colour body;
  Colour stripe;
  Colour helmet;
};
// A single-seater seen from behind; `groundCentre` is the point on the road
// midway between its rear wheels and `halfWidth` half its width over the tyres.
void drawCarFromBehind(Canvas& canvas, Point groundCentre, double halfWidth,
                       const CarLivery& livery);

}  // namespace kx14::art
