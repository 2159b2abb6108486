#include "controls/radio_button_control.h"

namespace kx14 {

void TRadioButtonControl::SetChecked(bool checked) {
  if (checked == checked_) return;
  if (!checked) {
    checked_ = false;
    ShowChecked(false);
    return;
  }
  for (TRadioButtonControl* sibling : GroupSiblings()) {
    if (sibling != this && sibling->checked_) sibling->SetChecked(false);
  }
  // Stored before the native button shows it, so that a toolkit reporting
  // the change back finds the button selected already.
  checked_ = true;
  ShowChecked(true);
  if (OnClick) OnClick(this);
}

}  // namespace kx14
