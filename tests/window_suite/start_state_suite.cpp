// The main window as it opens, on every toolkit: every control's text, the
// bars' positions and ranges, the selected radio buttons and the identifiers'
// stored values.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

// Every case only reads the window.
using StartState = SharedWindowSuite<>;

struct TextRow {
  const char* control;
  const char* text;
};

void PrintTo(const TextRow& row, std::ostream* out) { *out << row.control; }

class StartTexts : public StartState, public ::testing::WithParamInterface<TextRow> {};

TEST_P(StartTexts, ShowTheLayoutsText) {
  EXPECT_EQ(window->Text(GetParam().control), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StartTexts,
    // The value fields in linking order: 0, 0, 0, 0, 0, 5 (the level shown), 1, 0.
    ::testing::Values(TextRow{"MON_EDIT", "起動完了"}, TextRow{"CommBox", "OFF"},
                      TextRow{"K_Comment", "開発室から一言："}, TextRow{"LAST_EDIT", "0"},
                      TextRow{"MODE_EDIT", "0"}, TextRow{"UA_EDIT", "0"}, TextRow{"LOW_EDIT", "0"},
                      TextRow{"HICH_EDIT", "0"}, TextRow{"THR_EDIT", "5"},
                      TextRow{"YOBI1_EDIT", "1"}, TextRow{"YOBI2_EDIT", "0"},
                      TextRow{"YOUID_EDIT", "0"}, TextRow{"MYID_EDIT", "0"}));

INSTANTIATE_TEST_SUITE_P(
    Captions, StartTexts,
    ::testing::Values(
        TextRow{"Label14", "COMM"}, TextRow{"Label27", "Infomation"}, TextRow{"Label5", "OVERTAKE"},
        TextRow{"Label4", "MASTERF"}, TextRow{"Label1", "BUP"}, TextRow{"Label2", "YOURID"},
        TextRow{"Label3", "MYID"}, TextRow{"Label6", "LASTCH"}, TextRow{"Label7", "MODE"},
        TextRow{"Label8", "LOW CH"}, TextRow{"Label9", "HIGH CH"}, TextRow{"Label10", "ST ADJ"},
        TextRow{"Label11", "OT MAX (回）"}, TextRow{"Label12", "OT TIME (秒)"},
        TextRow{"Label13", "MAXPWR （%)"}, TextRow{"OT_ON", "ON"}, TextRow{"OT_OFF", "OFF"},
        TextRow{"MAS_ON", "ON"}, TextRow{"MAS_OFF", "OFF"}, TextRow{"BUP_00h", "00h"},
        TextRow{"BUP_5Ah", "5Ah"}, TextRow{"YOUID_DEC", "－"}, TextRow{"YOUID_INC", "＋"},
        TextRow{"MYID_DEC", "－"}, TextRow{"MYID_INC", "＋"}, TextRow{"PROGRAM_BTN", ""},
        TextRow{"READ_BTN", ""}, TextRow{"EXIT_BTN", ""}, TextRow{"Label15", ""},
        TextRow{"Label26", ""}));

struct StartBarRow {
  const char* bar;
  int position;
  BarRange range;
};

void PrintTo(const StartBarRow& row, std::ostream* out) { *out << row.bar; }

class StartBars : public StartState, public ::testing::WithParamInterface<StartBarRow> {};

TEST_P(StartBars, StandAtTheirPositionInTheirRange) {
  EXPECT_EQ(window->Position(GetParam().bar), GetParam().position);
  EXPECT_EQ(window->RangeOf(GetParam().bar), GetParam().range);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StartBars,
    ::testing::Values(StartBarRow{"LAST_BAR", 0, {0, 255, 1, 1}}, StartBarRow{"MODE_BAR", 0, {0, 255, 1, 1}},
                      StartBarRow{"UA_BAR", 0, {0, 255, 1, 1}}, StartBarRow{"LOW_BAR", 0, {0, 255, 1, 1}},
                      StartBarRow{"HICH_BAR", 0, {0, 255, 1, 1}}, StartBarRow{"THR_BAR", 5, {1, 250, 1, 1}},
                      StartBarRow{"YOBI1_BAR", 1, {1, 250, 1, 1}},
                      StartBarRow{"YOBI2_BAR", 0, {0, 100, 2, 2}}));

TEST_F(StartState, OnlyTheLevelAndTheThreeSwitchesOffAreSelected) {
  for (const char* button : {"Handy_S", "Handy_M", "Handy1", "Handy2", "Handy3", "Handy4", "Handy5",
                             "Handy6", "Handy_7", "OT_ON", "MAS_ON", "BUP_00h"}) {
    EXPECT_FALSE(window->Checked(button)) << button;
  }
  for (const char* button : {"Handy0", "OT_OFF", "MAS_OFF", "BUP_5Ah"}) {
    EXPECT_TRUE(window->Checked(button)) << button;
  }
}

TEST_F(StartState, IdentifierValuesStartAtZero) {
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 0);
  EXPECT_EQ(window->Tag("MYID_EDIT"), 0);
}

}  // namespace
}  // namespace kx14::test
