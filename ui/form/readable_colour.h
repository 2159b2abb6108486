#pragma once

// Text that stays readable on a background the layout fixes. The layout's
// faces (sky blue, white, the light button face, the identifier fields'
// yellow and lime) were chosen for dark text; a dark desktop theme or a
// high-contrast scheme hands the window light text, which would vanish on
// them. With ordinary (dark) system text the layout's colours stand as they
// are.

#include "ui/form/form_style.h"

namespace kx14 {

// The contrast of two colours as screen-reading guidelines measure it:
// (lighter luminance + 0.05) / (darker luminance + 0.05), 1 to 21.
double ContrastRatio(TColour a, TColour b);

// The colour to draw text on `face`: `wanted` (the layout's text colour, or
// the system's where the layout names none) while the system's own text is
// dark; otherwise `wanted` when it reads at 4.5 : 1 on the face, else black
// or white, whichever reads better.
TColour ReadableTextColour(TColour face, TColour wanted, TColour systemText);

}  // namespace kx14
