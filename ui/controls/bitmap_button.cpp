#include "ui/controls/bitmap_button.h"

#include <QBitmap>
#include <QColor>
#include <QPixmap>

namespace kx14 {
namespace {

const QColor kTransparentGlyphColour(255, 0, 255);

}  // namespace

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(true);  // Enter on the focused button clicks it
  connect(this, &QAbstractButton::clicked, this, [this] {
    if (OnClick) OnClick(this);
  });
}

bool TBitBtn::LoadGlyph(const QString& resource) {
  QPixmap glyph(resource);
  if (glyph.isNull()) return false;
  glyph.setMask(glyph.createMaskFromColor(kTransparentGlyphColour, Qt::MaskInColor));
  setIcon(QIcon(glyph));
  setIconSize(glyph.size());
  return true;
}

}  // namespace kx14
