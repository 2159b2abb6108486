// The background picture of the window's picture panel.
#pragma once

#include "bmp_image.h"

namespace kx14::art {

inline constexpr int kPictureWidth = 796;
inline constexpr int kPictureHeight = 478;

// Draws the racing scene at 796 x 478 pixels. Deterministic: the same
// program always draws the same picture.
RgbImage drawRacingPicture();

}  // namespace kx14::art
