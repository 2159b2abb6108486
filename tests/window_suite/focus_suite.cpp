// Where the keyboard goes, on every toolkit: the focus starts on the port
// list, Tab and Shift+Tab walk the four rows' controls (the selected preset
// stands for the ten), and the information field and the comment take no
// part: a click there starts nothing. The exit button closes the window.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "window_driver.h"

namespace kx14::test {
namespace {

class Focus : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }

  // Whether the focus reaches the control within two seconds (the window
  // may give it only once its activation has run).
  bool FocusReaches(const std::string& control) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (window->Focused() != control && std::chrono::steady_clock::now() < deadline) {
      window->Pump();
    }
    return window->Focused() == control;
  }

  std::unique_ptr<WindowDriver> window;
};

TEST_F(Focus, StartsOnThePortListAndTabVisitsTheRowControls) {
  ASSERT_TRUE(FocusReaches("CommBox")) << "focus on " << window->Focused();
  for (const char* next :
       {"PROGRAM_BTN", "READ_BTN", "EXIT_BTN", "Handy0", "CommBox", "PROGRAM_BTN"}) {
    window->Press(Key::kTab);
    EXPECT_EQ(window->Focused(), next);
  }
  window->Press(Key::kTab, kShift);
  EXPECT_EQ(window->Focused(), "CommBox");
  window->Press(Key::kTab, kShift);
  EXPECT_EQ(window->Focused(), "Handy0");
}

TEST_F(Focus, TabStopFollowsTheSelectedPreset) {
  window->Select("Handy4");
  window->Focus("EXIT_BTN");
  window->Press(Key::kTab);
  EXPECT_EQ(window->Focused(), "Handy4");
  window->Press(Key::kTab);
  EXPECT_EQ(window->Focused(), "CommBox");
}

TEST_F(Focus, InformationFieldTakesUpperCaseTextUntilTheNextReport) {
  window->Click("MON_EDIT");
  ASSERT_EQ(window->Focused(), "MON_EDIT");
  window->SetSelection("MON_EDIT", 0, 4);  // the whole 起動完了
  window->Type("com3 ok");
  EXPECT_EQ(window->Text("MON_EDIT"), "COM3 OK");
  window->SetText("MON_EDIT", "読み取り成功");
  EXPECT_EQ(window->Text("MON_EDIT"), "読み取り成功");
}

// The right button opens the native field's context menu on Windows (a
// modal menu of its own), so its click is a Qt case
// (tests/ui/main_form_test.cpp).
TEST_F(Focus, ClickingInformationFieldOrCommentStartsNothing) {
  window->Click("K_Comment");
  window->Click("MON_EDIT");
  window->ClickWith("MON_EDIT", MouseButton::kMiddle);
  EXPECT_EQ(window->Text("MON_EDIT"), "起動完了");
  EXPECT_EQ(window->Text("K_Comment"), "開発室から一言：");
  EXPECT_EQ(window->Position("THR_BAR"), 5);
  EXPECT_TRUE(window->Checked("Handy0"));
  EXPECT_NE(window->Focused(), "K_Comment");
}

}  // namespace
}  // namespace kx14::test

namespace kx14::test {
namespace {

TEST(ExitButton, ClosesTheWindow) {
  const std::unique_ptr<WindowDriver> window = OpenMainWindow();
  EXPECT_TRUE(window->WindowShown());
  window->Click("EXIT_BTN");
  EXPECT_FALSE(window->WindowShown());
}

}  // namespace
}  // namespace kx14::test
