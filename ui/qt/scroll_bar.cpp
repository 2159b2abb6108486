#include "ui/qt/scroll_bar.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "ui/qt/focus_exit.h"

namespace kx14 {

TScrollBar::TScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  ShowRange(Min(), Max(), SmallChange(), LargeChange());
  setValue(Position());
  setFocusPolicy(Qt::StrongFocus);
  // Every move, also each step of a drag since tracking is on, goes to the
  // control's rule; a value shown from the control comes back unchanged.
  connect(this, &QAbstractSlider::valueChanged, this, [this](int value) { UserMoved(value); });
}

void TScrollBar::ShowRange(int min, int max, int smallChange, int largeChange) {
  setRange(min, max);
  setSingleStep(smallChange);
  setPageStep(largeChange);
}

void TScrollBar::focusOutEvent(QFocusEvent* event) {
  QScrollBar::focusOutEvent(event);
  if (IsControlExit(*event)) UserLeft();
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
