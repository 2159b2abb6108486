#pragma once

#include <QColor>
#include <QWidget>

namespace kx14 {

// A panel: a plain area in its own colour with a raised one-pixel bevel
// (light top and left edge, shadow bottom and right edge). Child controls
// are placed on it at absolute positions.
class TPanel : public QWidget {
 public:
  explicit TPanel(QWidget* parent);

  QColor Color() const { return color_; }
  void SetColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_;
};

}  // namespace kx14
