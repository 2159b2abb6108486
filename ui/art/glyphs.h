// The three command-button glyphs: 256-colour bitmaps on a magenta
// background that the window draws transparent. They are pixel art with hard
// edges: a pixel blended towards magenta would show as a pink fringe once the
// background is keyed out.
#pragma once

#include <cstdint>

#include "bmp_image.h"

namespace kx14::art {

// Palette index of the transparent magenta (255, 0, 255) background; no
// other palette entry is magenta.
inline constexpr std::uint8_t kTransparentIndex = 0;
inline constexpr Rgb kTransparentColour{255, 0, 255};

const IndexedImage::Palette& glyphPalette();

IndexedImage programGlyph();  // 24 x 16: a computer with a green arrow pointing right
IndexedImage readGlyph();     // 24 x 16: a green arrow pointing left, away from a grey device
IndexedImage exitGlyph();     // 24 x 14: a red no-entry sign

}  // namespace kx14::art
