#include "ui/qt/static_text.h"

#include <QPainter>

#include "ui/qt/system_colors.h"

namespace kx14 {
namespace {

constexpr int kBevelWidth = 2;

// The soft bevel: a lowered outer edge and a raised inner one.
void DrawSoftBevel(QPainter& painter, const QRect& area) {
  auto edge = [&painter](const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
  };
  edge(area, ToQColor(clBtnShadow), ToQColor(clBtnHighlight));
  edge(area.adjusted(1, 1, -1, -1), ToQColor(clBtnHighlight), ToQColor(cl3DLight));
}

}  // namespace

TStaticText::TStaticText(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  setFocusPolicy(Qt::NoFocus);
}

void TStaticText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawSoftBevel(painter, rect());
  QString shown = QString::fromStdString(Text());
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(font());
  const QRect textArea = rect().adjusted(kBevelWidth, kBevelWidth, -kBevelWidth, -kBevelWidth);
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
}

}  // namespace kx14
