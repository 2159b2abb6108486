#include "ui/qt/bitmap_button.h"

#include <QIcon>
#include <QPixmap>

namespace kx14 {

TBitBtn::TBitBtn(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(true);  // Enter on the focused button clicks it
  connect(this, &QAbstractButton::clicked, this, [this] { UserClicked(); });
}

bool TBitBtn::SetGlyph(const QImage& glyph) {
  if (glyph.isNull()) return false;
  setIcon(QIcon(QPixmap::fromImage(glyph)));
  setIconSize(glyph.size());
  return true;
}

}  // namespace kx14
