// Read and Program with no port open, on every toolkit: both fail at once
// (no time-out is waited); Read changes no control, Program still puts its
// own fixed values into the window.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

TEST(NoPortOperations, FailAtOnceAndOnlyProgramSetsItsValues) {
  const std::unique_ptr<WindowDriver> window = OpenMainWindow();
  const std::vector<std::string> before = ReadableState(*window);
  const auto start = std::chrono::steady_clock::now();
  window->Click("READ_BTN");
  EXPECT_EQ(window->Text("MON_EDIT"), "読み取り失敗");
  EXPECT_EQ(ReadableState(*window), before);
  window->SetText("MON_EDIT", "");
  window->TakeInformationTexts();
  window->Click("PROGRAM_BTN");
  // Its preliminary read's failure first.
  EXPECT_EQ(window->TakeInformationTexts(), (Texts{"読み取り失敗", "書き込み失敗"}));
  // Waiting the 3000 ms receive time-out would take 6 s for the two.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(window->Checked("OT_ON"));
  EXPECT_EQ(window->Position("YOBI1_BAR"), 3);
  EXPECT_EQ(window->Text("YOBI1_EDIT"), "3");
  EXPECT_EQ(window->Position("YOBI2_BAR"), 74);
}

}  // namespace
}  // namespace kx14::test
