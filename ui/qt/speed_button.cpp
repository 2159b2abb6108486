#include "ui/qt/speed_button.h"

namespace kx14 {

TSpeedButton::TSpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent) {
  setText(caption);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QAbstractButton::clicked, this, [this] { UserClicked(); });
}

}  // namespace kx14
