#include "ui/controls/panel.h"

#include <QPainter>

#include "ui/controls/system_colors.h"

namespace kx14 {

TPanel::TPanel(QWidget* parent) : QWidget(parent), color_(clBtnFace()) {}

void TPanel::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = rect();
  painter.fillRect(area, color_);
  painter.setPen(clBtnHighlight());
  painter.drawLine(area.topLeft(), area.topRight());
  painter.drawLine(area.topLeft(), area.bottomLeft());
  painter.setPen(clBtnShadow());
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topRight(), area.bottomRight());
}

}  // namespace kx14
