#pragma once

#include <QFont>

#include "ui/form/form_style.h"

namespace kx14 {

// The window's fonts under Qt. The window's proportional Gothic font is
// stood in for by IPA P Gothic at the same pixel height (Debian
// fonts-ipafont-gothic); the bold "System" font of the step buttons by the
// same face in bold, which also has the full-width minus and plus signs.
QFont FontFor(TFontRole role);
inline QFont WindowFont() { return FontFor(TFontRole::frWindow); }

}  // namespace kx14
