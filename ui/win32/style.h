#pragma once

#include <windows.h>

#include <optional>

#include "ui/form/form_style.h"

namespace kx14 {

// The window's font for `role`, created once and kept for the run. The face
// is the first present, with Japanese glyphs, of ＭＳ Ｐゴシック and the
// Windows UI Gothic faces (Yu Gothic UI, Meiryo UI, MS UI Gothic), so
// Japanese text never shows as boxes; the step buttons take System where it
// has Japanese glyphs, and that face otherwise.
HFONT FontFor(TFontRole role);
// The face of the window's text, and the face FontFor uses for `role` (for
// tests and diagnostics).
const wchar_t* ChosenFontFace();
const wchar_t* FontFaceFor(TFontRole role);

inline COLORREF ToColorRef(TColour colour) { return RGB(colour.red, colour.green, colour.blue); }
inline TColour FromColorRef(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The colour to draw text in on `face`: `wanted` (the system's window text
// where unset) while the system's text is dark; under a dark or
// high-contrast scheme, whatever reads on the face.
COLORREF ReadableTextOn(TColour face, std::optional<TColour> wanted);

}  // namespace kx14
