#include "ui/controls/scroll_bar.h"

#include <QFocusEvent>

#include "ui/controls/focus_exit.h"

namespace kx14 {

TScrollBar::TScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setRange(0, 100);
  SetSteps(1, 1);
  setFocusPolicy(Qt::StrongFocus);
  // valueChanged() is emitted after clamping and only on a real change, also
  // at every step of a drag since tracking is on.
  connect(this, &QAbstractSlider::valueChanged, this, [this] {
    if (OnChange) OnChange(this);
  });
}

void TScrollBar::SetSteps(int smallChange, int largeChange) {
  setSingleStep(smallChange);
  setPageStep(largeChange);
}

void TScrollBar::focusOutEvent(QFocusEvent* event) {
  QScrollBar::focusOutEvent(event);
  if (IsControlExit(*event) && OnExit) OnExit(this);
}

}  // namespace kx14
