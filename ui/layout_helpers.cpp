#include "ui/layout_helpers.h"

#include <QLabel>
#include <QPalette>

#include "ui/controls/panel.h"
#include "ui/controls/system_colors.h"

namespace kx14 {

TPanel* MakePanel(QWidget* parent, const QRect& geometry, const QColor& color, bool shown) {
  auto* panel = new TPanel(parent);
  panel->setGeometry(geometry);
  panel->SetColor(color);
  // Hiding it explicitly keeps it hidden when the window is shown.
  panel->setVisible(shown);
  return panel;
}

QLabel* MakeLabel(QWidget* parent, const QString& caption, const QPoint& topLeft) {
  auto* label = new QLabel(caption, parent);
  label->move(topLeft);
  label->adjustSize();
  return label;
}

QLabel* MakeShadowLabel(QWidget* parent, const QRect& geometry) {
  auto* label = new QLabel(parent);
  label->setGeometry(geometry);
  label->setAutoFillBackground(true);
  SetColour(label, QPalette::Window, clDefaultLabelFill());
  return label;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace kx14
