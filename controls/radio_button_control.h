#pragma once

#include <functional>
#include <vector>

namespace kx14 {

// A radio button's state and its rule, the same under every toolkit:
// selecting it deselects the other radio buttons of its group (those of the
// same panel) and runs OnClick only when it was not selected before.
// Selecting a selected button runs nothing; neither does losing the
// selection. A toolkit layer shows the state and reports a selection by the
// user (click, arrow keys) through UserSelected, which follows the same rule.
class TRadioButtonControl {
 public:
  virtual ~TRadioButtonControl() = default;

  bool Checked() const { return checked_; }
  // true: selects the button (see above). false: clears it without
  // selecting another one, and runs nothing.
  void SetChecked(bool checked);

  std::function<void(TRadioButtonControl* Sender)> OnClick;
  int Tag = 0;

 protected:
  virtual void ShowChecked(bool checked) = 0;
  // The other buttons of the group.
  virtual std::vector<TRadioButtonControl*> GroupSiblings() const = 0;

  void UserSelected() { SetChecked(true); }

 private:
  bool checked_ = false;
};

}  // namespace kx14
