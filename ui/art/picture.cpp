#include "picture.h"

#include "scene.h"

namespace kx14::art {

RgbImage drawRacingPicture() {
  const SceneToPixels mapping{{SceneLayout::kLeft, 0},
                              kPictureWidth / (SceneLayout::kRight - SceneLayout::kLeft),
                              kPictureHeight / SceneLayout::kBottom};
  Canvas canvas(kPictureWidth, kPictureHeight, mapping, hex(0x7FB2E5));
  const TrackView track;
  drawSky(canvas);
  drawHorizon(canvas);
  drawGrandstand(canvas);
  drawGrass(canvas, track);
  drawTrack(canvas, track);
  drawSpeedLines(canvas, track);
  drawCarFromBehind(canvas, {278, 192}, 28, {hex(0x1F5FD0), hex(0xFFFFFF), hex(0xFFD23C)});
  drawCarFromBehind(canvas, {253, 250}, 46, {hex(0xD81E1E), hex(0xFFFFFF), hex(0xF4F4F4)});
  drawChequeredFlag(canvas);
  return canvas.toImage();
}

}  // namespace kx14::art
