#include "ui/qt/image.h"

#include <QPainter>

namespace kx14 {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

bool TImage::SetPicture(const QImage& picture) {
  picture_ = QPixmap::fromImage(picture);
  update();
  return !picture_.isNull();
}

void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(rect(), picture_);
}

}  // namespace kx14
