#include "ui/qt/window_style.h"

namespace kx14 {
namespace {

const char* const kWindowFontFamily = "IPAPGothic";

}  // namespace

QFont FontFor(TFontRole role) {
  const TFontSpec spec = FontSpec(role);
  QFont font(QString::fromLatin1(kWindowFontFamily));
  font.setPixelSize(spec.pixelHeight);
  font.setBold(spec.bold);
  // A missing face falls back to another CJK sans, not to a serif.
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace kx14
