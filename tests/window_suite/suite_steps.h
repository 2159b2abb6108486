#pragma once

// Steps that several window suites take, written over the driver or the
// toolkit-neutral controls, so that both toolkits' drivers share them.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/form/controls/scroll_bar_control.h"
#include "window_driver.h"

namespace kx14::test {

// The base of a suite whose cases share one window (a window costs seconds
// under Wine): for cases that leave the window as the next one needs it.
template <class Base = ::testing::Test>
class SharedWindowSuite : public Base {
 protected:
  static void SetUpTestSuite() { window = OpenMainWindow(); }
  static void TearDownTestSuite() { window.reset(); }
  static inline std::unique_ptr<WindowDriver> window;
};

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
