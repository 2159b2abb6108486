#include "ui/controls/scroll_bar.h"

#include <QFocusEvent>
#include <QKeyEvent>

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

void TScrollBar::keyPressEvent(QKeyEvent* event) {
  // Qt's scroll bar inverts its keys for the vertical case, which turns Left
  // and Right around on a horizontal bar; map them here instead.
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
      action = SliderSingleStepSub;
      break;
    case Qt::Key_Right:
    case Qt::Key_Down:
      action = SliderSingleStepAdd;
      break;
    case Qt::Key_PageUp:
      action = SliderPageStepSub;
      break;
    case Qt::Key_PageDown:
      action = SliderPageStepAdd;
      break;
    case Qt::Key_Home:
      action = SliderToMinimum;
      break;
    case Qt::Key_End:
      action = SliderToMaximum;
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

}  // namespace kx14
