#pragma once

#include <QScrollBar>
#include <functional>

namespace kx14 {

class TEdit;

// A horizontal scroll bar that follows the position rule the window relies
// on: setting the position clamps it into Min..Max, and OnChange runs only
// when the stored position really changes. Line and page steps, Home/End and
// every step of a thumb drag go through the same rule. OnExit runs when the
// keyboard focus moves from the bar to another control of the window.
// Keys: Left and Up step down, Right and Down step up, Page Up and Page Down
// by a page, Home and End to Min and Max.
class TScrollBar : public QScrollBar {
 public:
  // Defaults: range 0..100, position 0, line and page step 1, a tab stop.
  explicit TScrollBar(QWidget* parent);

  int Position() const { return value(); }
  void SetPosition(int position) { setValue(position); }
  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  void SetRange(int min, int max) { setRange(min, max); }
  int SmallChange() const { return singleStep(); }
  int LargeChange() const { return pageStep(); }
  void SetSteps(int smallChange, int largeChange);

  std::function<void(TScrollBar* Sender)> OnChange;
  std::function<void(TScrollBar* Sender)> OnExit;
  // The edit field that shows this bar's position.
  TEdit* PartnerEdit = nullptr;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kx14
