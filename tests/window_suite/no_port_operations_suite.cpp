// Read and Program with no port open, on every toolkit: both fail at once
// (no time-out is waited); Read changes no control, Program still puts its
// own fixed values into the window.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "window_driver.h"

namespace kx14::test {
namespace {

// Everything a read may change, apart from MON_EDIT, as name=value lines.
std::vector<std::string> ReadableState(WindowDriver& window) {
  std::vector<std::string> state;
  for (const char* button :
       {"BUP_00h", "BUP_5Ah", "MAS_ON", "MAS_OFF", "OT_ON", "OT_OFF", "Handy_S", "Handy_M",
        "Handy0", "Handy1", "Handy2", "Handy3", "Handy4", "Handy5", "Handy6", "Handy_7"}) {
    state.push_back(std::string(button) + (window.Checked(button) ? "=on" : "=off"));
  }
  for (const char* row : {"LAST", "MODE", "UA", "LOW", "HICH", "THR", "YOBI1", "YOBI2"}) {
    const std::string bar = std::string(row) + "_BAR";
    state.push_back(bar + "=" + std::to_string(window.Position(bar)) + "/" +
                    window.Text(std::string(row) + "_EDIT"));
  }
  for (const char* field : {"YOUID_EDIT", "MYID_EDIT"}) {
    state.push_back(std::string(field) + "=" + std::to_string(window.Tag(field)) + "/" +
                    window.Text(field));
  }
  state.push_back(window.Text("K_Comment"));
  return state;
}

// The Qt window's own test also checks the order of Program's reports (its
// preliminary read's failure first).
TEST(NoPortOperations, FailAtOnceAndOnlyProgramSetsItsValues) {
  const std::unique_ptr<WindowDriver> window = OpenMainWindow();
  const std::vector<std::string> before = ReadableState(*window);
  const auto start = std::chrono::steady_clock::now();
  window->Click("READ_BTN");
  EXPECT_EQ(window->Text("MON_EDIT"), "読み取り失敗");
  EXPECT_EQ(ReadableState(*window), before);
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->Text("MON_EDIT"), "書き込み失敗");
  // Waiting the 3000 ms receive time-out would take 6 s for the two.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(window->Checked("OT_ON"));
  EXPECT_EQ(window->Position("YOBI1_BAR"), 3);
  EXPECT_EQ(window->Text("YOBI1_EDIT"), "3");
  EXPECT_EQ(window->Position("YOBI2_BAR"), 74);
}

}  // namespace
}  // namespace kx14::test
