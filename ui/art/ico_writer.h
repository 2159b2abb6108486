// Encodes an icon file (.ico) for the Windows resource compiler: an ICONDIR,
// one 16-byte ICONDIRENTRY per image, then the images. Images of 256 pixels
// are stored as PNG, as Windows' own icons are; smaller ones as 32-bit DIBs
// (BITMAPINFOHEADER with the doubled height, BGRA rows bottom-up, then the
// 1-bit AND mask), which every version of the shell and Wine draw.
#pragma once

#include <array>
#include <vector>

#include "bmp_writer.h"
#include "png_writer.h"

namespace kx14::art {

// The sizes of the program's Windows icon: the small icon of the title bar
// and taskbar (16, 24, 32 at higher DPI), the desktop (32, 48) and Explorer's
// large views (256).
inline constexpr std::array<int, 5> kWindowsIconSizes = {16, 24, 32, 48, 256};

// Images must be square, 1 to 256 pixels, with a byte count that matches
// their size; anything else is a programming error.
Bytes encodeIco(const std::vector<RgbaImage>& images);

}  // namespace kx14::art
