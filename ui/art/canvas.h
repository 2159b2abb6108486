// An anti-aliased canvas for filled shapes. Coverage is computed per pixel:
// exactly along each scanline and from 16 sub-scanlines vertically, which is
// enough that a picture squeezed to less than half its width by the window
// still shows clean edges.
#pragma once

#include <vector>

#include "bmp_image.h"
#include "geometry.h"
#include "paint.h"

namespace kx14::art {

// How scene coordinates become pixel coordinates: pixel = (scene - origin) * scale.
struct SceneToPixels {
  Point origin;
  double scaleX = 1;
  double scaleY = 1;
  Point toPixels(Point scene) const;
  Point toScene(Point pixel) const;
};

class Canvas {
 public:
  Canvas(int width, int height, SceneToPixels mapping, Colour background);

  // Blends `paint` over the pixels that `shape` covers, weighted by the
  // covered fraction of each pixel and by `opacity`. Parts outside the
  // canvas are clipped.
  void fill(const Polygon& shape, const Paint& paint, double opacity = 1.0);
  void fill(const Polygon& shape, Colour colour, double opacity = 1.0);

  // The picture rounded to 8 bits per channel.
  RgbImage toImage() const;

 private:
  struct CoverageRow;
  struct Crossing {
    double x;
    int direction;
  };
  // `crossings` is scratch space, kept across calls to spare an allocation
  // per sub-scanline.
  static void accumulateSubScanline(const Polygon& pixelShape, double y, double weight,
                                    std::vector<Crossing>& crossings, CoverageRow& row);
  void blendRow(int y, CoverageRow& row, const Paint& paint, double opacity);

  int width_;
  int height_;
  SceneToPixels mapping_;
  std::vector<Colour> pixels_;
};

}  // namespace kx14::art
