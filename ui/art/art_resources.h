// The window's artwork, embedded as Qt resources by the kx14_art library as
// bare pixel words (see raw_pixels.h). Link kx14_art; no Q_INIT_RESOURCE is
// needed, the resource objects link straight into the program.
//
// The glyphs are pixel art with a transparent background. The picture is
// 796 x 478 and is meant to be drawn squeezed to 321 x 345; draw it with
// smooth scaling (Qt::SmoothTransformation or QPainter::SmoothPixmapTransform),
// or its thin lines break up.
#pragma once

#include <QImage>

namespace kx14::art {

inline constexpr const char* kPictureResource = ":/art/picture.rgb32";
inline constexpr const char* kProgramGlyphResource = ":/art/program.glyph";
inline constexpr const char* kReadGlyphResource = ":/art/read.glyph";
inline constexpr const char* kExitGlyphResource = ":/art/exit.glyph";

// The images lie over the resource's bytes in the executable (no copy; a
// change to one would detach it into a copy first). Null when the resource
// is missing, compressed, or its size does not match its pixels.
QImage pictureImage();
QImage glyphImage(const char* resource);

// True when all four images are present in the resources: lets a caller
// (and a test) tell a working build from one that lost its artwork.
bool artResourcesPresent();

}  // namespace kx14::art
