#include "ui/qt/panel.h"

#include <QPainter>

#include "ui/qt/system_colors.h"

namespace kx14 {

TPanel::TPanel(QWidget* parent) : QWidget(parent), color_(ToQColor(clBtnFace)) {}

void TPanel::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  painter.fillRect(area, color_);
  painter.setPen(ToQColor(clBtnHighlight));
  painter.drawLine(area.topLeft(), area.topRight());
  painter.drawLine(area.topLeft(), area.bottomLeft());
  painter.setPen(ToQColor(clBtnShadow));
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topRight(), area.bottomRight());
}

}  // namespace kx14
