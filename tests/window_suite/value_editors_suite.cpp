// The eight value editors, on every toolkit: bar to field, typed text to bar
// (by leaving the field and by Enter), clamping, the MAXPWR even display and
// the whole-text selection on a mouse release.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

// The panel that holds each bar and its field (all hidden in the window).
std::string PanelOf(const std::string& control) {
  struct Row {
    const char* prefix;
    const char* panel;
  };
  static const Row kRows[] = {{"LAST_", "Panel6"},   {"MODE_", "Panel7"},   {"UA_", "Panel8"},
                              {"LOW_", "Panel9"},    {"HICH_", "Panel10"},  {"THR_", "Panel11"},
                              {"YOBI1_", "Panel12"}, {"YOBI2_", "Panel13"}, {"YOUID_", "Panel2"},
                              {"MYID_", "Panel3"}};
  for (const Row& row : kRows) {
    if (control.rfind(row.prefix, 0) == 0) return row.panel;
  }
  return "";
}

// The field's bar: the same prefix.
std::string BarOf(const std::string& field) {
  return field.substr(0, field.size() - std::string("EDIT").size()) + "BAR";
}

class ValueEditors : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  void TypeInto(const std::string& field, const std::string& typed) {
    window->Reveal(PanelOf(field));
    TypeOver(*window, field, typed);
  }
  void TypeAndLeave(const std::string& field, const std::string& typed) {
    TypeInto(field, typed);
    window->Focus("CommBox");
    EXPECT_NE(window->Focused(), field);
  }
  std::unique_ptr<WindowDriver> window;
};

struct BarRow {
  const char* bar;
  const char* field;
  int requested;
  int position;
  const char* shown;
};

void PrintTo(const BarRow& row, std::ostream* out) { *out << row.bar << " " << row.requested; }

class BarToField : public ValueEditors, public ::testing::WithParamInterface<BarRow> {};

// A position set from code (as a read does) is clamped and shown in the
// field; MAXPWR shows the even value below.
TEST_P(BarToField, PositionFromCodeIsClampedAndShown) {
  const BarRow& row = GetParam();
  window->SetPosition(row.bar, row.requested);
  EXPECT_EQ(window->Position(row.bar), row.position);
  EXPECT_EQ(window->Text(row.field), row.shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, BarToField,
                         ::testing::Values(BarRow{"LAST_BAR", "LAST_EDIT", 200, 200, "200"},
                                           BarRow{"MODE_BAR", "MODE_EDIT", 255, 255, "255"},
                                           BarRow{"UA_BAR", "UA_EDIT", 300, 255, "255"},
                                           BarRow{"HICH_BAR", "HICH_EDIT", -1, 0, "0"},
                                           BarRow{"THR_BAR", "THR_EDIT", 0, 1, "1"},
                                           BarRow{"THR_BAR", "THR_EDIT", 251, 250, "250"},
                                           BarRow{"YOBI1_BAR", "YOBI1_EDIT", 255, 250, "250"},
                                           BarRow{"YOBI1_BAR", "YOBI1_EDIT", 3, 3, "3"},
                                           BarRow{"YOBI2_BAR", "YOBI2_EDIT", 74, 74, "74"},
                                           BarRow{"YOBI2_BAR", "YOBI2_EDIT", 51, 51, "50"},
                                           BarRow{"YOBI2_BAR", "YOBI2_EDIT", 1, 1, "0"},
                                           BarRow{"YOBI2_BAR", "YOBI2_EDIT", 100, 100, "100"}));

// The user's arrow keys on a bar that has the focus step it by its small
// change, and the field follows: MAXPWR in steps of two from an odd
// position, shown as the even value below.
TEST_F(ValueEditors, ArrowKeysOnAFocusedBarStepItAndItsField) {
  window->Reveal("Panel13");
  window->SetPosition("YOBI2_BAR", 51);
  window->Focus("YOBI2_BAR");
  ASSERT_EQ(window->Focused(), "YOBI2_BAR");
  window->Press(Key::kDown);
  EXPECT_EQ(window->Position("YOBI2_BAR"), 53);
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "52");
  window->Press(Key::kLeft);
  window->Press(Key::kLeft);
  EXPECT_EQ(window->Position("YOBI2_BAR"), 49);
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "48");
}

struct CommitRow {
  const char* field;
  int start;
  const char* typed;
  int position;
  const char* shown;
  int changes;  // runs of the bar's change handler
};

void PrintTo(const CommitRow& row, std::ostream* out) {
  *out << row.field << " \"" << row.typed << '"';
}

class FieldCommits : public ValueEditors, public ::testing::WithParamInterface<CommitRow> {};

TEST_P(FieldCommits, LeavingTheFieldMovesItsBar) {
  const CommitRow& row = GetParam();
  const std::string bar = BarOf(row.field);
  window->SetPosition(bar, row.start);
  window->CountChanges(bar);
  TypeAndLeave(row.field, row.typed);
  EXPECT_EQ(window->Position(bar), row.position);
  EXPECT_EQ(window->Text(row.field), row.shown);
  EXPECT_EQ(window->ChangesCounted(), row.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldCommits,
    ::testing::Values(
        CommitRow{"LAST_EDIT", 0, "12", 12, "12", 1}, CommitRow{"LAST_EDIT", 37, "", 37, "37", 0},
        CommitRow{"MODE_EDIT", 0, "300", 255, "255", 1}, CommitRow{"THR_EDIT", 1, "-5", 1, "1", 0},
        CommitRow{"THR_EDIT", 9, "-5", 1, "1", 1}, CommitRow{"UA_EDIT", 0, "$ff", 255, "255", 1},
        CommitRow{"LOW_EDIT", 0, "X1F", 31, "31", 1}, CommitRow{"LOW_EDIT", 0, "0X1F", 31, "31", 1},
        CommitRow{"HICH_EDIT", 0, "0x10", 16, "16", 1},
        CommitRow{"LAST_EDIT", 0, "  12", 12, "12", 1}, CommitRow{"LAST_EDIT", 0, "+5", 5, "5", 1},
        CommitRow{"LAST_EDIT", 37, "12 ", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "1.5", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "-$10", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "+0X10", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "1E3", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "12A", 37, "37", 0},
        CommitRow{"LAST_EDIT", 37, "-", 37, "37", 0},
        CommitRow{"MODE_EDIT", 37, "abc", 37, "37", 0},
        CommitRow{"MODE_EDIT", 37, "2147483648", 37, "37", 0},
        CommitRow{"YOBI1_EDIT", 5, "-2147483648", 1, "1", 1},
        CommitRow{"MODE_EDIT", 37, "$FFFFFFFF", 0, "0", 1},
        CommitRow{"LAST_EDIT", 7, "007", 7, "7", 0}, CommitRow{"YOBI2_EDIT", 0, "51", 51, "51", 1},
        CommitRow{"YOBI2_EDIT", 0, "101", 100, "100", 1},
        CommitRow{"YOBI1_EDIT", 1, "$FA", 250, "250", 1}));

TEST_F(ValueEditors, LettersTurnUpperCaseAsTyped) {
  TypeInto("UA_EDIT", "$ff");
  EXPECT_EQ(window->Text("UA_EDIT"), "$FF");
  window->Press(Key::kEnter);
  EXPECT_EQ(window->Position("UA_BAR"), 255);
}

TEST_F(ValueEditors, EnterCommitsAndKeepsTheFocus) {
  window->CountChanges("MODE_BAR");
  TypeInto("MODE_EDIT", "0x20");
  window->Press(Key::kEnter);
  EXPECT_EQ(window->Position("MODE_BAR"), 32);
  EXPECT_EQ(window->Text("MODE_EDIT"), "32");
  EXPECT_EQ(window->Focused(), "MODE_EDIT");
  EXPECT_EQ(window->ChangesCounted(), 1);
  window->Press(Key::kEnter);
  window->Focus("CommBox");  // leaving commits the same value
  EXPECT_EQ(window->Position("MODE_BAR"), 32);
  EXPECT_EQ(window->Text("MODE_EDIT"), "32");
  EXPECT_EQ(window->ChangesCounted(), 1);
}

TEST_F(ValueEditors, MaxPowerCommitShowsThePlainValueUntilTheBarIsLeft) {
  TypeAndLeave("YOBI2_EDIT", "51");
  EXPECT_EQ(window->Position("YOBI2_BAR"), 51);
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "51");
  window->Focus("YOBI2_BAR");
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "51");
  window->Focus("CommBox");  // leaving the bar rewrites the field by the bar's rule
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "50");
  EXPECT_EQ(window->Position("YOBI2_BAR"), 51);
}

TEST_F(ValueEditors, CommittingOtMaxLeavesThePresetAlone) {
  TypeAndLeave("THR_EDIT", "15");
  EXPECT_EQ(window->Position("THR_BAR"), 15);
  EXPECT_TRUE(window->Checked("Handy0"));
  EXPECT_FALSE(window->Checked("Handy6"));
  EXPECT_EQ(window->Text("K_Comment"), "開発室から一言：");
}

struct ReleaseRow {
  const char* field;
  MouseButton button;
};

void PrintTo(const ReleaseRow& row, std::ostream* out) { *out << row.field; }

class MouseRelease : public ValueEditors, public ::testing::WithParamInterface<ReleaseRow> {};

// A right click opens the native field's context menu on Windows (a modal
// menu of its own), so the right button's release is a Qt case
// (tests/ui/value_editors_test.cpp).
TEST_P(MouseRelease, SelectsTheWholeText) {
  const ReleaseRow& row = GetParam();
  window->Reveal(PanelOf(row.field));
  window->SetText(row.field, "12345");
  window->Focus(row.field);
  window->SetSelection(row.field, 1, 2);  // a range chosen by dragging
  window->ClickWith(row.field, row.button);
  EXPECT_EQ(window->SelectionOf(row.field), (Selection{0, 5}));
}

INSTANTIATE_TEST_SUITE_P(Rows, MouseRelease,
                         ::testing::Values(ReleaseRow{"LAST_EDIT", MouseButton::kLeft},
                                           ReleaseRow{"YOBI2_EDIT", MouseButton::kMiddle},
                                           ReleaseRow{"YOUID_EDIT", MouseButton::kLeft}));

}  // namespace
}  // namespace kx14::test
