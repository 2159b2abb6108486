#include "ui/controls/image.h"

#include <QPainter>

namespace kx14 {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

bool TImage::LoadPicture(const QString& resource) {
  picture_ = QPixmap(resource);
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
