// Read and Program against the simulated device, on every toolkit: the
// controls a read fills, the handicap level it chooses, the frames Program
// sends, and every failure text.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "suite_steps.h"
#include "ui/form/handicap_presets.h"
#include "window_driver.h"

namespace kx14::test {
namespace {

// The handicap buttons in the order of their comments.
int PresetIndex(const std::string& button) {
  for (int i = 0; i < kPresetCount; ++i) {
    if (button == kPresets[i]) return i;
  }
  return -1;
}

// The worked example's block with another OT_MAX byte.
std::string BlockWithOtMax(int otMax) {
  std::string block = DeviceSetup{}.block;
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", otMax);
  block.replace(13 * 3, 2, hex);
  return block;
}

class DeviceOperations : public ::testing::Test {
 protected:
  void SetUp() override { window = OpenMainWindow(); }
  std::unique_ptr<WindowDriver> window;
};

TEST_F(DeviceOperations, ReadFillsTheControlsFromTheWorkedExample) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->Click("READ_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), Texts{"読み取り成功"});
  EXPECT_EQ(window->NextDeviceLine("rx "), "E5");
  EXPECT_TRUE(window->Checked("BUP_5Ah"));
  EXPECT_FALSE(window->Checked("BUP_00h"));
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 1);
  EXPECT_EQ(window->Text("YOUID_EDIT"), "1");
  EXPECT_EQ(window->Tag("MYID_EDIT"), 2);
  EXPECT_EQ(window->Text("MYID_EDIT"), "2");
  EXPECT_TRUE(window->Checked("MAS_OFF"));
  EXPECT_TRUE(window->Checked("OT_OFF"));
  for (const char* bar : {"LAST_BAR", "MODE_BAR", "UA_BAR", "LOW_BAR", "HICH_BAR"}) {
    EXPECT_EQ(window->Position(bar), 0) << bar;
  }
  EXPECT_EQ(window->Position("THR_BAR"), 5);
  EXPECT_EQ(window->Text("THR_EDIT"), "5");
  EXPECT_EQ(window->Position("YOBI1_BAR"), 3);
  EXPECT_EQ(window->Text("YOBI1_EDIT"), "3");
  EXPECT_EQ(window->Position("YOBI2_BAR"), 74);  // MAXPWR byte 0x51
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "74");
  // OT_MAX 5 is Handy0's level, already selected: no handler, no comment.
  EXPECT_TRUE(window->Checked("Handy0"));
  EXPECT_EQ(window->Text("K_Comment"), CommentHeading());
}

struct FailedReadRow {
  const char* fault;
  bool replied;  // else it waited for the receive time-out
};

void PrintTo(const FailedReadRow& row, std::ostream* out) { *out << row.fault; }

class FailedRead : public DeviceOperations, public ::testing::WithParamInterface<FailedReadRow> {};

TEST_P(FailedRead, ChangesNoControl) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{GetParam().fault}}));
  const std::vector<std::string> before = ReadableState(*window);
  const auto start = std::chrono::steady_clock::now();
  window->Click("READ_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), Texts{"読み取り失敗"});
  EXPECT_EQ(ReadableState(*window), before);
  if (GetParam().replied) {
    EXPECT_TRUE(window->NextDeviceLine("tx E5 5A").has_value());  // a full reply did come
  } else {
    EXPECT_GE(std::chrono::steady_clock::now() - start,
              kSuiteReceiveTimeOut - std::chrono::milliseconds(20));
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedRead,
                         ::testing::Values(FailedReadRow{"silent", false},
                                           FailedReadRow{"bad-checksum", true}));

struct LevelRow {
  const char* title;
  const char* selectedBefore;
  int otMax;  // the device's byte
  int reads;
  const char* selectedAfter;
  int thrAfter;
  bool commentShown;  // the level's handler ran
};

void PrintTo(const LevelRow& row, std::ostream* out) { *out << row.title; }

class ReadChoosesTheLevel : public DeviceOperations,
                            public ::testing::WithParamInterface<LevelRow> {};

TEST_P(ReadChoosesTheLevel, FromOtMax) {
  const LevelRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{}, {}, BlockWithOtMax(row.otMax)}));
  window->Select(row.selectedBefore);
  const std::string commentBefore = window->Text("K_Comment");
  for (int read = 0; read < row.reads; ++read) window->Click("READ_BTN");
  EXPECT_EQ(window->Text("MON_EDIT"), "読み取り成功");
  EXPECT_TRUE(window->Checked(row.selectedAfter));
  EXPECT_EQ(window->Position("THR_BAR"), row.thrAfter);
  EXPECT_EQ(window->Text("THR_EDIT"), std::to_string(row.thrAfter));
  EXPECT_EQ(window->Text("K_Comment"),
            row.commentShown ? PresetComment(PresetIndex(row.selectedAfter)) : commentBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadChoosesTheLevel,
    ::testing::Values(LevelRow{"13 from Handy0", "Handy0", 13, 1, "Handy6", 15, true},
                      LevelRow{"13 read again", "Handy0", 13, 2, "Handy6", 13, true},
                      LevelRow{"5 keeps Handy0", "Handy0", 5, 1, "Handy0", 5, false},
                      LevelRow{"0 is position 1", "Handy0", 0, 1, "Handy_S", 1, true},
                      LevelRow{"255 is position 250", "Handy0", 255, 1, "Handy_7", 250, true},
                      LevelRow{"11 nearest Handy5", "Handy0", 11, 1, "Handy5", 10, true},
                      LevelRow{"12 lower edge of Handy6", "Handy0", 12, 1, "Handy6", 15, true},
                      LevelRow{"17 lower edge of Handy_7", "Handy0", 17, 1, "Handy_7", 250, true},
                      LevelRow{"4 Handy_M", "Handy0", 4, 1, "Handy_M", 3, true},
                      LevelRow{"2 Handy_S", "Handy0", 2, 1, "Handy_S", 1, true},
                      // Handy3's own count while Handy3 is selected: no handler runs.
                      LevelRow{"8 while Handy3", "Handy3", 8, 1, "Handy3", 8, false}));

TEST_F(DeviceOperations, ProgramSendsTheWorkedExampleWithTheChosenLevel) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->Click("READ_BTN");
  window->Click("Handy3");
  EXPECT_EQ(window->Position("THR_BAR"), 8);
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), (Texts{"読み取り成功", "書き込み成功"}));
  EXPECT_EQ(window->NextDeviceLine("rx F5 "), "5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");
  EXPECT_EQ(window->NextDeviceLine("stored "), "5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51");
  EXPECT_TRUE(window->Checked("OT_ON"));
  EXPECT_EQ(window->Text("YOBI1_EDIT"), "3");
  EXPECT_EQ(window->Text("YOBI2_EDIT"), "74");
}

// No read and no level chosen: the level shown selected, Handy0, is the one
// stored (OT_MAX 5).
TEST_F(DeviceOperations, ProgramRightAfterStartSendsTheLevelShown) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window));
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), (Texts{"読み取り成功", "書き込み成功"}));
  EXPECT_EQ(window->NextDeviceLine("stored "), "5A 00 00 01 00 00 02 08 00 00 00 00 00 05 03 51");
}

// BUP 33 (goes back as 00), identifiers, channels and a set MASTERF bit;
// OT_MAX 200, OT_TIME 9 and MAXPWR 00 are not taken over.
TEST_F(DeviceOperations, ProgramKeepsTheDevicesIdentityAndTheWindowsMasterFlag) {
  ASSERT_NO_FATAL_FAILURE(
      AttachDevice(*window, {{}, {}, "33 12 34 56 AB CD EF 09 01 02 03 04 05 C8 09 00"}));
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), (Texts{"読み取り成功", "書き込み成功"}));
  EXPECT_TRUE(window->Checked("BUP_00h"));
  EXPECT_EQ(window->Tag("YOUID_EDIT"), 0x123456);
  EXPECT_EQ(window->Text("MYID_EDIT"), std::to_string(0xABCDEF));
  EXPECT_TRUE(window->Checked("MAS_OFF"));
  EXPECT_EQ(window->Text("HICH_EDIT"), "5");
  EXPECT_EQ(window->NextDeviceLine("stored "), "00 12 34 56 AB CD EF 08 01 02 03 04 05 05 03 51");
}

struct FailedProgramRow {
  const char* fault;
  Texts texts;
  int programReplyLength;
};

void PrintTo(const FailedProgramRow& row, std::ostream* out) { *out << row.fault; }

class FailedProgram : public DeviceOperations,
                      public ::testing::WithParamInterface<FailedProgramRow> {};

TEST_P(FailedProgram, SaysSo) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{GetParam().fault}}));
  window->Click("PROGRAM_BTN");
  EXPECT_EQ(window->TakeInformationTexts(), GetParam().texts);
  const std::optional<std::string> reply = window->NextDeviceLine("tx F5 ");
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(static_cast<int>(reply->size() + 1) / 3 + 1, GetParam().programReplyLength);
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedProgram,
                         ::testing::Values(
                             // 18 echoed bytes and 0x15 instead of the acknowledgement.
                             FailedProgramRow{"refuse", {"読み取り成功", "書き込み失敗"}, 19},
                             // Every reply one byte short: the preliminary read fails too, and
                             // the program reply is the echo without the acknowledgement.
                             FailedProgramRow{"short", {"読み取り失敗", "書き込み失敗"}, 18}));

// Replies that lead with random bytes instead of the command's echo, in
// time: the window never refuses them, not even after a program exchange.
TEST_F(DeviceOperations, ADeviceWithoutEchoIsServed) {
  ASSERT_NO_FATAL_FAILURE(AttachDevice(*window, {{"no-echo"}}));
  for (int round = 0; round < 2; ++round) {
    window->Click("PROGRAM_BTN");
    EXPECT_EQ(window->Text("MON_EDIT"), "書き込み成功");
    window->Click("READ_BTN");
    EXPECT_EQ(window->Text("MON_EDIT"), "読み取り成功");
  }
}

}  // namespace
}  // namespace kx14::test
