#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

#include "ui/form/form_style.h"
#include "ui/form/readable_colour.h"

namespace kx14 {

// A colour of the layout as Qt takes it, and back.
inline QColor ToQColor(TColour colour) { return QColor(colour.red, colour.green, colour.blue); }
inline TColour ToTColour(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

// The colour to draw text in on a face the layout fixes: the wanted one,
// unless the desktop's own text is light (a dark theme) and the wanted one
// would not read on the face.
inline QColor ReadableOn(TColour face, const QColor& wanted) {
  const TColour desktopText = ToTColour(QApplication::palette().color(QPalette::WindowText));
  return ToQColor(ReadableTextColour(face, ToTColour(wanted), desktopText));
}

}  // namespace kx14
