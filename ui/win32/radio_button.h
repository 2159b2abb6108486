#pragma once

// The radio buttons, one group per container they are placed on.

#include <windows.h>

#include <string>
#include <vector>

#include "controls/radio_button_control.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// A radio button of its panel's group. A click selects it, and so does the
// focus arriving from the keyboard (the arrow keys within the group), which
// the common controls' plain radio button leaves to the program.
class Win32RadioButton final : public Win32Control, public TRadioButtonControl {
 public:
  Win32RadioButton(Win32Container* parent, const std::string& caption, TRect area);
  ~Win32RadioButton() override;
  void Command(int code) override;

 protected:
  void ShowChecked(bool checked) override;
  std::vector<TRadioButtonControl*> GroupSiblings() const override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  Win32Container* group_;
  bool pressing_ = false;  // inside the button's own WM_LBUTTONDOWN
};

}  // namespace kx14
