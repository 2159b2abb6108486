#pragma once

#include <QScrollBar>

#include "controls/scroll_bar_control.h"

namespace kx14 {

// The Qt scroll bar of a TScrollBarControl: it shows the control's range and
// position, and hands every move of the user (line and page steps, Home/End,
// every step of a thumb drag) to the control's rule. OnExit runs when the
// keyboard focus moves from the bar to another control of the window.
// Keys: Left and Up step down, Right and Down step up, Page Up and Page Down
// by a page, Home and End to Min and Max.
class TScrollBar : public QScrollBar, public TScrollBarControl {
 public:
  // Defaults: range 0..100, position 0, line and page step 1, a tab stop.
  explicit TScrollBar(QWidget* parent);

 protected:
  void ShowPosition(int position) override { setValue(position); }
  void ShowRange(int min, int max, int smallChange, int largeChange) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kx14
