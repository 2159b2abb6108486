// The window's artwork, embedded as Qt resources by the kx14_art library.
// Link kx14_art and load these paths with QPixmap or QImage; no
// Q_INIT_RESOURCE is needed, the resource objects link straight into the
// program.
//
// The glyphs are 8-bit palettised bitmaps whose background is magenta
// (255, 0, 255): key it out, e.g. with
//   pixmap.setMask(pixmap.createMaskFromColor(QColor(255, 0, 255)));
// The picture is 796 x 478 and is meant to be drawn squeezed to 321 x 345;
// draw it with smooth scaling (Qt::SmoothTransformation or
// QPainter::SmoothPixmapTransform), or its thin lines break up.
#pragma once

namespace kx14::art {

inline constexpr const char* kPictureResource = ":/art/picture.bmp";
inline constexpr const char* kProgramGlyphResource = ":/art/program.bmp";
inline constexpr const char* kReadGlyphResource = ":/art/read.bmp";
inline constexpr const char* kExitGlyphResource = ":/art/exit.bmp";

// True when all four images are present in the resources: lets a caller
// (and a test) tell a working build from one that lost its artwork.
bool artResourcesPresent();

}  // namespace kx14::art
