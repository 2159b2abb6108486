#pragma once

#include <QColor>

#include "ui/form/form_style.h"

namespace kx14 {

// A colour of the layout as Qt takes it.
inline QColor ToQColor(TColour colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace kx14
