#pragma once

// Steps that several window suites take, written over the driver or the
// toolkit-neutral controls, so that both toolkits' drivers share them.

#include <gtest/gtest.h>

#include <string>

#include "ui/form/controls/scroll_bar_control.h"
#include "window_driver.h"

namespace kx14::test {

// Replaces the field's text by typing, as the user does: the click gives it
// the focus and selects the whole text (the field's mouse-up rule).
inline void TypeOver(WindowDriver& window, const std::string& field, const std::string& typed) {
  window.Click(field);
  ASSERT_EQ(window.Focused(), field);
  window.Press(Key::kDelete);
  window.Type(typed);
}

// Makes the bar's change handler count its runs in `runs` (from 0); the
// handler still runs.
inline void CountChangeRuns(TScrollBarControl& bar, int& runs) {
  runs = 0;
  bar.OnChange = [&runs, handler = bar.OnChange](TScrollBarControl* sender) {
    ++runs;
    handler(sender);
  };
}

}  // namespace kx14::test
