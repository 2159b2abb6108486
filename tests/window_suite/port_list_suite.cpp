// The port list, on every toolkit: the start list, the refresh from the
// machine's ports when it drops down (sorted by number, the selection kept
// by text), and a name without a number left out and named.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

using Names = std::vector<std::string>;

class PortList : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  std::unique_ptr<WindowDriver> window;
};

TEST_F(PortList, StartsWithOffAndThirtyPorts) {
  Names expected = {"OFF"};
  for (int n = 1; n <= 30; ++n) expected.push_back("COM" + std::to_string(n));
  EXPECT_EQ(window->Items("CommBox"), expected);
  EXPECT_EQ(window->Text("CommBox"), "OFF");
}

struct RefreshRow {
  const char* title;
  Names ports;
  Names items;
};

void PrintTo(const RefreshRow& row, std::ostream* out) { *out << row.title; }

// Each row sets the ports and refreshes, from OFF selected, so the rows
// share one window.
using PortListRefresh = SharedWindowSuite<::testing::TestWithParam<RefreshRow>>;

TEST_P(PortListRefresh, ShowsTheMachinesPortsAndReportsNothing) {
  window->UsePorts(GetParam().ports);
  window->RunDropDown("CommBox");
  EXPECT_EQ(window->Items("CommBox"), GetParam().items);
  EXPECT_EQ(window->Text("CommBox"), "OFF");
  EXPECT_EQ(window->Text("MON_EDIT"), "起動完了");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PortListRefresh,
    // Only the sort puts them in order, and by number: COM10 after COM2.
    ::testing::Values(
        RefreshRow{"numeric order", {"COM10", "COM2", "COM1"}, {"OFF", "COM1", "COM2", "COM10"}},
        // A single name is never converted, so it is listed whatever it is.
        RefreshRow{"single name unsorted", {"PORTX"}, {"OFF", "PORTX"}},
        RefreshRow{"nothing reported", {}, {"OFF"}}));

TEST_F(PortList, SelectionIsKeptByTextIgnoringCase) {
  window->UsePorts({"com3", "COM1"});
  window->SetItemIndex("CommBox", 3);  // "COM3" of the start list
  window->RunDropDown("CommBox");
  EXPECT_EQ(window->Items("CommBox"), (Names{"OFF", "COM1", "com3"}));
  EXPECT_EQ(window->Text("CommBox"), "com3");
}

struct SkippedRow {
  const char* badName;
  const char* shown;
};

void PrintTo(const SkippedRow& row, std::ostream* out) { *out << row.badName; }

class NameWithoutNumber : public PortList, public ::testing::WithParamInterface<SkippedRow> {};

// The good names stay, the selection with them, and no error box shows (a
// box would stop the case until its time-out).
TEST_P(NameWithoutNumber, IsLeftOutAndNamed) {
  window->UsePorts({"COM1", GetParam().badName, "COM3"});
  window->SetItemIndex("CommBox", 3);  // "COM3" of the start list
  window->RunDropDown("CommBox");
  EXPECT_EQ(window->Items("CommBox"), (Names{"OFF", "COM1", "COM3"}));
  EXPECT_EQ(window->Text("CommBox"), "COM3");
  EXPECT_EQ(window->Text("MON_EDIT"),
            std::string("番号のないポート名を一覧から除外: ") + GetParam().shown);
}

// The close-up's report comes first, and the skipped entry stays named
// after it.
TEST_F(PortList, SkippedNameIsStillNamedAfterTheCloseUpsReport) {
  window->UsePorts({"COM77", "SERIALX", "COM78"});
  window->DropDownAndDismiss("CommBox");
  EXPECT_EQ(window->Items("CommBox"), (Names{"OFF", "COM77", "COM78"}));
  EXPECT_EQ(window->Text("MON_EDIT"),
            "シリアルポートを閉じました  番号のないポート名を一覧から除外: SERIALX");
}

INSTANTIATE_TEST_SUITE_P(Rows, NameWithoutNumber,
                         ::testing::Values(SkippedRow{"COMX", "COMX"}, SkippedRow{"COM", "COM"},
                                           SkippedRow{"comポート", "COMポート"}));

}  // namespace
}  // namespace kx14::test
