// Closing the port list opens the chosen port, on every toolkit: a port
// opens with its name and " 設定完了", "OFF" closes it, a list dismissed
// without a choice opens the chosen port again, a port no longer listed
// falls back to "OFF", a name without a number is reported and leaves no
// port open, and the exit closes the port.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

class PortOpening : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  std::unique_ptr<WindowDriver> window;
};

TEST_F(PortOpening, AChosenPortOpensAndOffClosesIt) {
  const std::string port = window->UseDevice({});
  ASSERT_TRUE(window->Choose("CommBox", port));
  EXPECT_EQ(window->Text("MON_EDIT"), port + " 設定完了");
  EXPECT_TRUE(window->PortOpen());
  ASSERT_TRUE(window->Choose("CommBox", "OFF"));
  EXPECT_EQ(window->Text("MON_EDIT"), "シリアルポートを閉じました");
  EXPECT_FALSE(window->PortOpen());
}

TEST_F(PortOpening, DismissingTheListOpensTheChosenPortAgain) {
  std::string port;
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {}, &port));
  window->SetText("MON_EDIT", "-");
  window->DropDownAndDismiss("CommBox");
  EXPECT_EQ(window->Text("MON_EDIT"), port + " 設定完了");
  EXPECT_TRUE(window->PortOpen());
}

TEST_F(PortOpening, APortNoLongerListedFallsBackToOffAndTheCloseUpClosesIt) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->UsePorts({});
  window->RunDropDown("CommBox");
  EXPECT_EQ(window->Items("CommBox"), Texts{"OFF"});
  EXPECT_EQ(window->Text("CommBox"), "OFF");
  EXPECT_TRUE(window->PortOpen());  // the refresh alone opens and closes nothing
  window->DropDownAndDismiss("CommBox");
  EXPECT_EQ(window->Text("MON_EDIT"), "シリアルポートを閉じました");
  EXPECT_FALSE(window->PortOpen());
}

// Listed alone, so never converted by the sort; the opening converts it.
TEST_F(PortOpening, ANameWithoutANumberIsReportedAndLeavesNoPortOpen) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->UsePorts({"COMX"});
  ASSERT_TRUE(window->Choose("CommBox", "COMX"));
  EXPECT_EQ(window->Text("MON_EDIT"), "COMX は使用できません");
  EXPECT_FALSE(window->PortOpen());            // the earlier port was closed first
  EXPECT_EQ(window->Text("CommBox"), "COMX");  // the failed name stays selected
}

TEST_F(PortOpening, TheExitButtonClosesAnOpenPortWithTheWindow) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->Click("EXIT_BTN");
  EXPECT_FALSE(window->WindowShown());
  EXPECT_FALSE(window->PortOpen());
}

}  // namespace
}  // namespace kx14::test
