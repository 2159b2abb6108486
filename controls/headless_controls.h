#pragma once

// The toolkit-neutral controls with nothing to show: their state and rules
// alone, for the window's controls without a window (TControlModel).

#include <string>
#include <vector>

#include "controls/edit_control.h"
#include "controls/radio_button_control.h"
#include "controls/scroll_bar_control.h"

namespace kx14 {

class THeadlessScrollBar final : public TScrollBarControl {
 protected:
  void ShowPosition(int /*position*/) override {}
  void ShowRange(int /*min*/, int /*max*/, int /*smallChange*/, int /*largeChange*/) override {}
};

class THeadlessRadioButton final : public TRadioButtonControl {
 public:
  // The buttons of its group, itself among them or not.
  std::vector<TRadioButtonControl*> group;

 protected:
  void ShowChecked(bool /*checked*/) override {}
  std::vector<TRadioButtonControl*> GroupSiblings() const override { return group; }
};

class THeadlessEdit final : public TEditControl {
 public:
  void SelectAll() override {}
  void SetFocus() override {}

 protected:
  std::string NativeText() const override { return text_; }
  void ShowText(const std::string& text) override { text_ = text; }
  void ShowCharCase(TEditCharCase /*charCase*/) override {}

 private:
  std::string text_;
};

}  // namespace kx14
