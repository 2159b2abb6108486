#pragma once

#include <windows.h>

#include "ui/form/form_style.h"

namespace kx14 {

// The artwork compiled into the program (art.rc): the bare pixel words the
// art generator drew, used where they lie in the executable.

// The racing picture drawn stretched (with halftone smoothing) into `area`
// of `dc`. Draws nothing when the resource is missing or damaged.
void DrawPicture(HDC dc, const RECT& area);

// A glyph over an opaque `face`, as a bitmap that the caller owns (a button
// shows it); null when the resource is missing or damaged.
HBITMAP GlyphBitmap(TGlyph glyph, TColour face);

// True when the picture and all three glyphs are present and well formed.
bool ArtPresent();

}  // namespace kx14
