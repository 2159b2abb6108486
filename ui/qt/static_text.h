#pragma once

#include <QString>
#include <QWidget>

#include "controls/button_controls.h"

namespace kx14 {

// The Qt multi-line static text of a TStaticTextControl: in a soft bevel,
// left aligned from the top, wrapped at the right edge.
class TStaticText : public QWidget, public TStaticTextControl {
 public:
  explicit TStaticText(QWidget* parent);

  QString text() const { return QString::fromStdString(Text()); }

 protected:
  void ShowText(const std::string&) override { update(); }
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kx14
