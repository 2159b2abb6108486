#pragma once

#include <windows.h>

#include "ui/form/form_style.h"

namespace kx14 {

// The window's font for `role`, created once and kept for the run. The face
// is the first present of the Windows UI Gothic faces (Yu Gothic UI, Meiryo
// UI, MS UI Gothic), so Japanese text never shows as boxes.
HFONT FontFor(TFontRole role);
// The face FontFor uses (for tests and diagnostics).
const wchar_t* ChosenFontFace();

inline COLORREF ToColorRef(TColour colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace kx14
