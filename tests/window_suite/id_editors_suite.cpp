// The two identifier editors, on every toolkit: steps by button and arrow
// key, commits by Enter and by leaving, the 0..16777215 range, typed text
// that a step discards, and step buttons that never take the focus.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "suite_steps.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

constexpr int kMaxId = 16777215;

class IdEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    window = OpenMainWindow();
    window->Reveal("Panel2");
    window->Reveal("Panel3");
  }
  void TypeInto(const std::string& field, const std::string& typed) {
    TypeOver(*window, field, typed);
  }
  void SetId(const std::string& field, int value) {
    window->SetValue(field, value, std::to_string(value));
  }
  void ExpectId(const std::string& field, int value) {
    EXPECT_EQ(window->Tag(field), value) << field;
    EXPECT_EQ(window->Text(field), std::to_string(value)) << field;
  }

  std::unique_ptr<WindowDriver> window;
};

struct StepRow {
  const char* field;
  const char* button;
  int start;
  int result;
};

void PrintTo(const StepRow& row, std::ostream* out) { *out << row.button << " from " << row.start; }

class IdSteps : public IdEditors, public ::testing::WithParamInterface<StepRow> {};

TEST_P(IdSteps, StopAtTheBoundsRewriteAndSelectTheText) {
  const StepRow& row = GetParam();
  SetId(row.field, row.start);
  window->SetValue(row.field, row.start, "junk");  // rewritten even when the value stays
  window->Click(row.button);
  ExpectId(row.field, row.result);
  const int length = static_cast<int>(std::to_string(row.result).size());
  EXPECT_EQ(window->SelectionOf(row.field), (Selection{0, length}));
  EXPECT_EQ(window->Focused(), row.field);
}

INSTANTIATE_TEST_SUITE_P(Rows, IdSteps,
                         ::testing::Values(StepRow{"YOUID_EDIT", "YOUID_INC", 5, 6},
                                           StepRow{"YOUID_EDIT", "YOUID_DEC", 5, 4},
                                           StepRow{"YOUID_EDIT", "YOUID_INC", kMaxId, kMaxId},
                                           StepRow{"YOUID_EDIT", "YOUID_DEC", 0, 0},
                                           StepRow{"MYID_EDIT", "MYID_INC", kMaxId - 1, kMaxId},
                                           StepRow{"MYID_EDIT", "MYID_INC", kMaxId, kMaxId},
                                           StepRow{"MYID_EDIT", "MYID_DEC", 0, 0},
                                           StepRow{"MYID_EDIT", "MYID_DEC", 1, 0}));

// The step reads the stored value: text typed since the last commit is
// dropped, whether the plus button or the up arrow steps.
TEST_F(IdEditors, StepByButtonDiscardsTypedText) {
  SetId("YOUID_EDIT", 5);
  TypeInto("YOUID_EDIT", "123");
  window->Click("YOUID_INC");
  ExpectId("YOUID_EDIT", 6);
  EXPECT_EQ(window->Focused(), "YOUID_EDIT");
}

TEST_F(IdEditors, StepByArrowDiscardsTypedText) {
  SetId("YOUID_EDIT", 5);
  TypeInto("YOUID_EDIT", "123");
  window->Press(Key::kUp);
  ExpectId("YOUID_EDIT", 6);
}

// An arrow consumes its key only: every character typed next arrives.
TEST_F(IdEditors, TypingAfterAnArrowKeepsEveryCharacter) {
  SetId("YOUID_EDIT", 5);
  window->Focus("YOUID_EDIT");
  window->Press(Key::kDown);
  ExpectId("YOUID_EDIT", 4);  // and selected, so typing replaces it
  window->Type("78");
  EXPECT_EQ(window->Text("YOUID_EDIT"), "78");
  window->Press(Key::kEnter);
  ExpectId("YOUID_EDIT", 78);
}

TEST_F(IdEditors, EnterCommitsKeepsTheFocusAndArrowsStepFromThere) {
  SetId("MYID_EDIT", 5);
  TypeInto("MYID_EDIT", "123");
  window->Press(Key::kEnter);
  EXPECT_EQ(window->Tag("MYID_EDIT"), 123);
  EXPECT_EQ(window->Focused(), "MYID_EDIT");
  window->Press(Key::kUp);
  EXPECT_EQ(window->Tag("MYID_EDIT"), 124);
  window->Press(Key::kDown);
  window->Press(Key::kDown);
  ExpectId("MYID_EDIT", 122);
}

struct IdCommitRow {
  const char* typed;
  int value;
};

void PrintTo(const IdCommitRow& row, std::ostream* out) { *out << '"' << row.typed << '"'; }

class IdCommits : public IdEditors, public ::testing::WithParamInterface<IdCommitRow> {};

// Leaving the field commits what was typed, read as a typed number and
// clamped; what is no number brings back the stored value (4711).
TEST_P(IdCommits, LeavingReadsTheTypedNumber) {
  for (const char* field : {"YOUID_EDIT", "MYID_EDIT"}) {
    SetId(field, 4711);
    TypeInto(field, GetParam().typed);
    window->Focus("CommBox");
    ExpectId(field, GetParam().value);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, IdCommits,
                         ::testing::Values(IdCommitRow{"-1", 0}, IdCommitRow{"16777216", kMaxId},
                                           IdCommitRow{"$FFFFFF", kMaxId}, IdCommitRow{"0xff", 255},
                                           IdCommitRow{"$1000000", kMaxId}, IdCommitRow{"0x10", 16},
                                           IdCommitRow{"0010", 10}, IdCommitRow{"$FFFFFFFF", 0},
                                           IdCommitRow{"-2147483648", 0},
                                           IdCommitRow{"2147483647", kMaxId}, IdCommitRow{"", 4711},
                                           IdCommitRow{"abc", 4711}, IdCommitRow{"12 ", 4711},
                                           IdCommitRow{"2147483648", 4711}));

TEST_F(IdEditors, TypedLettersKeepTheirCase) {
  TypeInto("YOUID_EDIT", "0xff");
  EXPECT_EQ(window->Text("YOUID_EDIT"), "0xff");
}

TEST_F(IdEditors, PlusOfYourIdFirstCommitsMyId) {
  SetId("YOUID_EDIT", 9);
  SetId("MYID_EDIT", 1);
  TypeInto("MYID_EDIT", "77");
  window->Click("YOUID_INC");
  ExpectId("MYID_EDIT", 77);
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 10);
  EXPECT_EQ(window->Focused(), "YOUID_EDIT");
}

// The step buttons never take the focus: pressed with the focus on another
// control, the step still runs and the focus goes to its field.
TEST_F(IdEditors, StepButtonStepsWhileAnotherControlHasTheFocus) {
  SetId("YOUID_EDIT", 5);
  window->Focus("CommBox");
  window->Click("YOUID_INC");
  ExpectId("YOUID_EDIT", 6);
  EXPECT_EQ(window->Focused(), "YOUID_EDIT");
  window->Click("YOUID_DEC");
  ExpectId("YOUID_EDIT", 5);
  EXPECT_EQ(window->Focused(), "YOUID_EDIT");
}

TEST_F(IdEditors, ShiftOrCtrlWithArrowsStillStepsByOne) {
  SetId("YOUID_EDIT", 100);
  window->Focus("YOUID_EDIT");
  window->Press(Key::kUp, kShift);
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 101);
  window->Press(Key::kUp, kCtrl);
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 102);
  window->Press(Key::kDown, kShift | kCtrl);
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 101);
}

TEST_F(IdEditors, EnterTwiceCommitsTwiceWithoutChange) {
  TypeInto("YOUID_EDIT", "$10");
  window->Press(Key::kEnter);
  ExpectId("YOUID_EDIT", 16);
  window->Press(Key::kEnter);
  ExpectId("YOUID_EDIT", 16);
}

TEST_F(IdEditors, OtherKeysReachTheField) {
  TypeInto("MYID_EDIT", "12");
  window->Press(Key::kBackspace);
  window->Press(Key::kLeft);
  window->Type("9");
  EXPECT_EQ(window->Text("MYID_EDIT"), "91");
  EXPECT_EQ(window->Tag("MYID_EDIT"), 0);  // not committed yet
}

}  // namespace
}  // namespace kx14::test
