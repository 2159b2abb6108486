// The program's icon for the desktop's menus and launchers: the red car of
// the window's picture, seen from behind on a road under a blue sky, with a
// chequered flag, on a rounded tile whose corners are transparent.
#pragma once

#include <array>

#include "png_writer.h"

namespace kx14::art {

// The sizes installed into the icon theme.
inline constexpr std::array<int, 3> kIconSizes = {48, 128, 256};

// Draws the icon at `size` x `size` pixels. Drawn from shapes at each size,
// not scaled from one bitmap, so small sizes stay sharp. Deterministic.
RgbaImage drawAppIcon(int size);

}  // namespace kx14::art
