#include "ui/window_style.h"

namespace kx14 {
namespace {

const char* const kWindowFontFamily = "IPAPGothic";

QFont FontOf(int pixelSize, bool bold) {
  QFont font(QString::fromLatin1(kWindowFontFamily));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  // A missing face falls back to another CJK sans, not to a serif.
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

QFont WindowFont() { return FontOf(12, false); }
QFont IdLabelFont() { return FontOf(21, true); }
QFont IdFieldFont() { return FontOf(21, true); }
QFont StepButtonFont() { return FontOf(19, true); }
QFont CommandButtonFont() { return FontOf(12, true); }

QColor SkyBlue() { return QColor(166, 202, 240); }
QColor InfoFieldGrey() { return QColor(160, 160, 164); }
QColor IdYellow() { return QColor(255, 255, 0); }
QColor IdLime() { return QColor(0, 255, 0); }

}  // namespace kx14
