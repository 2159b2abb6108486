#include "protocol/device_operations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "recording_device_view.h"
#include "golden_vectors.h"
#include "protocol/frames.h"
#include "protocol/information_texts.h"

namespace kx14 {
namespace {

using enum THandicapPreset;
using test::ParseHex;
using ::testing::ElementsAre;

const std::string kReadOk(info_text::kReadSucceeded);
const std::string kReadFail(info_text::kReadFailed);
const std::string kProgramOk(info_text::kProgramSucceeded);
const std::string kProgramFail(info_text::kProgramFailed);

const ByteString kWorkedReply = ParseHex("00 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");

// A read reply from a device holding `blockHex`, with its right checksum.
ByteString ReplyFor(const std::string& blockHex) {
  return ReadReplyFrame(0xE5, test::ParseBlockHex(blockHex));
}

ByteString Acknowledged(const ByteString& programCommand) {
  return programCommand + ParseHex("06");
}

class DeviceOperationsTest : public ::testing::Test {
 protected:
  testing::RecordingDeviceView view;
  TDeviceOperations operations{view};
};

TEST_F(DeviceOperationsTest, ReadOfWorkedExampleSetsEveryControlInWindowOrder) {
  view.replies.push_back(kWorkedReply);
  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadSucceeded);

  EXPECT_THAT(view.commandsSent, ElementsAre(ParseHex("E5")));
  EXPECT_THAT(view.calls,
              ElementsAre("ProcessMessages", "Exchange", "SelectBup(1)", "SetYourId(1)",
                          "SetMyId(2)", "SelectMasterF(0)", "SelectOvertake(0)",
                          "SetBar(LAST_BAR,0)", "SetBar(MODE_BAR,0)", "SetBar(UA_BAR,0)",
                          "SetBar(LOW_BAR,0)", "SetBar(HICH_BAR,0)", "SetBar(THR_BAR,5)",
                          "SetBar(YOBI1_BAR,3)", "SetBar(YOBI2_BAR,74)", "SelectHandicap(Handy0)"));
  EXPECT_THAT(view.informationShown, ElementsAre(kReadOk));
  // Handy0 was selected from the start: no handler, the value read stays.
  EXPECT_TRUE(view.presetHandlersRun.empty());
  EXPECT_EQ(view.ReadControls().otMax, 5);
  EXPECT_EQ(view.ReadControls().maxPwr, 74);
}

TEST_F(DeviceOperationsTest, ReadRoutesFieldsToTheWindowsBarNames) {
  view.replies.push_back(ReplyFor("00 12 34 56 AB CD EF 09 10 20 30 40 50 60 70 48"));
  operations.Read();
  BlockControls expected;
  expected.bup5Ah = false;
  expected.yourId = 1193046;
  expected.myId = 0xABCDEF;
  expected.masterF = expected.overtake = true;
  expected.lastCh = 0x10;
  expected.mode = 0x20;
  expected.lowCh = 0x30;   // LOW_CH
  expected.highCh = 0x40;  // HIGH_CH
  expected.stAdj = 0x50;   // ST_ADJ
  expected.otMax = 250;    // 0x60 selects Handy_7, whose handler sets 250
  expected.otTime = 0x70;
  expected.maxPwr = 92;
  EXPECT_EQ(view.ReadControls(), expected);
}

struct FailedRead {
  const char* name;
  ByteString reply;
};

class ReadFailure : public DeviceOperationsTest, public ::testing::WithParamInterface<FailedRead> {};

TEST_P(ReadFailure, ShowsReadFailedAndSetsNoControl) {
  view.ClickPreset(Handy3);  // the level with the overtake count 8
  view.presetHandlersRun.clear();
  const BlockControls before = view.ReadControls();
  if (!GetParam().reply.empty()) view.replies.push_back(GetParam().reply);

  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadFailed);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadFail));
  EXPECT_TRUE(view.ControlCalls().empty());
  EXPECT_EQ(view.ReadControls(), before);
  EXPECT_EQ(view.Preset(), Handy3);
}

ByteString WithByteChanged(ByteString bytes, std::size_t index) {
  bytes[index] = static_cast<char>(bytes[index] ^ 0x01);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadFailure,
    ::testing::Values(FailedRead{"SilentOrNoPort", ByteString()},
                    FailedRead{"DataByteChanged", WithByteChanged(kWorkedReply, 14)},
                    FailedRead{"ChecksumChanged", WithByteChanged(kWorkedReply, 17)},
                    FailedRead{"OneShort", kWorkedReply.substr(0, 17)},
                    FailedRead{"OneLong", kWorkedReply + ParseHex("00")}),
    [](const auto& row) { return std::string(row.param.name); });

struct HandicapChoice {
  const char* name;
  std::uint8_t otMaxByte;
  THandicapPreset selectedBefore;
  THandicapPreset selectedAfter;
  int thrAfter;
  bool handlerRuns;
};

class ReadHandicap : public DeviceOperationsTest,
                     public ::testing::WithParamInterface<HandicapChoice> {};

TEST_P(ReadHandicap, SelectsThePresetForTheValueRead) {
  const HandicapChoice& c = GetParam();
  view.ClickPreset(c.selectedBefore);
  view.presetHandlersRun.clear();
  BlockBytes block = test::ParseBlockHex("5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51");
  block[block_offset::kOtMax] = c.otMaxByte;
  view.replies.push_back(ReadReplyFrame(0x00, block));

  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadSucceeded);
  EXPECT_EQ(view.Preset(), c.selectedAfter);
  EXPECT_EQ(view.ReadControls().otMax, c.thrAfter);
  EXPECT_EQ(view.presetHandlersRun.size(), c.handlerRuns ? 1u : 0u);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadOk));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadHandicap,
    ::testing::Values(HandicapChoice{"Thirteen_FromHandy0", 13, Handy0, Handy6, 15, true},
                    HandicapChoice{"Thirteen_Handy6Already", 13, Handy6, Handy6, 13, false},
                    HandicapChoice{"Twelve_FromHandy0", 12, Handy0, Handy6, 15, true},
                    HandicapChoice{"Twelve_Handy6Already", 12, Handy6, Handy6, 12, false},
                    HandicapChoice{"Five_FirstReadAfterStart", 5, Handy0, Handy0, 5, false},
                    HandicapChoice{"Zero_LimitedToOne", 0, Handy0, Handy_S, 1, true},
                    HandicapChoice{"ByteFF_LimitedTo250", 0xFF, Handy0, Handy_7, 250, true},
                    HandicapChoice{"Twenty", 20, Handy0, Handy_7, 250, true},
                    HandicapChoice{"Four", 4, Handy0, Handy_M, 3, true},
                    HandicapChoice{"Two", 2, Handy0, Handy_S, 1, true},
                    HandicapChoice{"Eleven_NearestCount", 11, Handy0, Handy5, 10, true},
                    HandicapChoice{"Eleven_Handy5Already", 11, Handy5, Handy5, 11, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(DeviceOperationsTest, WorkedExampleReadThenCount8ThenProgramSendsTheListedFrame) {
  view.replies.push_back(kWorkedReply);
  operations.Read();
  view.ClickPreset(Handy3);  // the level with the overtake count 8
  const ByteString expected = ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");
  view.replies.push_back(kWorkedReply);
  view.replies.push_back(Acknowledged(expected));

  EXPECT_EQ(operations.Program(), TOperationOutcome::ooProgramSucceeded);
  ASSERT_EQ(view.commandsSent.size(), 3u);
  EXPECT_EQ(view.commandsSent[1], ParseHex("E5"));
  EXPECT_EQ(view.commandsSent[2], expected);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadOk, kReadOk, kProgramOk));
}

TEST_F(DeviceOperationsTest, ProgramSetsTheRefreshedFieldsThenTheForcedOnesInOrder) {
  view.replies.push_back(kWorkedReply);
  operations.Program();
  EXPECT_THAT(view.calls, ElementsAre("ProcessMessages", "Exchange", "SelectBup(1)", "SetYourId(1)",
                                      "SetMyId(2)", "SetBar(LAST_BAR,0)", "SetBar(MODE_BAR,0)",
                                      "SetBar(UA_BAR,0)", "SetBar(LOW_BAR,0)", "SetBar(HICH_BAR,0)",
                                      "SelectOvertake(1)", "SetBar(YOBI1_BAR,3)",
                                      "SetBar(YOBI2_BAR,74)", "Exchange"));
}

TEST_F(DeviceOperationsTest, ProgramRightAfterStartSendsTheShownLevelWithoutPort) {
  EXPECT_EQ(operations.Program(), TOperationOutcome::ooProgramFailed);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadFail, kProgramFail));
  ASSERT_EQ(view.commandsSent.size(), 2u);
  EXPECT_EQ(view.commandsSent[1],
            ParseHex("F5 5A 00 00 00 00 00 00 08 00 00 00 00 00 05 03 51 BB"));
  EXPECT_TRUE(view.ReadControls().overtake);
  EXPECT_EQ(view.ReadControls().otTime, 3);
  EXPECT_EQ(view.ReadControls().maxPwr, 74);
  EXPECT_EQ(view.Preset(), Handy0);  // shown selected, and its count went out
}

TEST_F(DeviceOperationsTest, PreliminaryReadRefreshesIdentityAndChannelsButNotTheRest) {
  // The window: MASTERF on, level Handy3 (8), OT_TIME and MAXPWR elsewhere.
  view.ClickPreset(Handy3);
  view.presetHandlersRun.clear();
  BlockControls shown = view.ReadControls();
  shown.masterF = true;
  shown.otTime = 40;
  shown.maxPwr = 10;
  view.SetControls(shown);
  // The device: BUP 0x01, its own IDs and channels, MASTERF off, OT_MAX 13,
  // OT_TIME 9, MAXPWR 0 percent.
  view.replies.push_back(ReplyFor("01 12 34 56 00 00 07 00 11 22 33 44 55 0D 09 76"));
  view.replies.push_back(ByteString(18, '\0') + ParseHex("06"));

  EXPECT_EQ(operations.Program(), TOperationOutcome::ooProgramSucceeded);
  const auto sent = ParseProgramCommand(view.commandsSent.at(1));
  ASSERT_TRUE(sent.has_value());
  EXPECT_EQ(*sent, test::ParseBlockHex("00 12 34 56 00 00 07 09 11 22 33 44 55 08 03 51"));
  EXPECT_EQ(view.Preset(), Handy3);
  EXPECT_TRUE(view.presetHandlersRun.empty());
  EXPECT_THAT(view.informationShown, ElementsAre(kReadOk, kProgramOk));
}

TEST_F(DeviceOperationsTest, FailedPreliminaryReadStillSendsTheWindowsBlock) {
  BlockControls shown = view.ReadControls();
  shown.yourId = 7;
  shown.lastCh = 99;
  view.SetControls(shown);
  view.replies.push_back(WithByteChanged(kWorkedReply, 5));
  view.replies.push_back(ByteString(18, '\0') + ParseHex("06"));

  EXPECT_EQ(operations.Program(), TOperationOutcome::ooProgramSucceeded);
  EXPECT_THAT(view.ControlCalls(),
              ElementsAre("SelectOvertake(1)", "SetBar(YOBI1_BAR,3)", "SetBar(YOBI2_BAR,74)"));
  EXPECT_EQ(view.commandsSent.at(1),
            ParseHex("F5 5A 00 00 07 00 00 00 08 63 00 00 00 00 05 03 51 25"));
  EXPECT_THAT(view.informationShown, ElementsAre(kReadFail, kProgramOk));
}

struct ProgramAnswer {
  const char* name;
  ByteString reply;
  TOperationOutcome outcome;
};

class ProgramReply : public DeviceOperationsTest,
                     public ::testing::WithParamInterface<ProgramAnswer> {};

TEST_P(ProgramReply, OnlyNineteenBytesEndingInAckSucceed) {
  view.replies.push_back(kWorkedReply);
  view.replies.push_back(GetParam().reply);
  EXPECT_EQ(operations.Program(), GetParam().outcome);
  EXPECT_EQ(
      view.informationShown.back(),
      GetParam().outcome == TOperationOutcome::ooProgramSucceeded ? kProgramOk : kProgramFail);
}

const ByteString kEcho = ParseHex("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 05 03 51 BE");

INSTANTIATE_TEST_SUITE_P(
    Replies, ProgramReply,
    ::testing::Values(
        ProgramAnswer{"EchoAndAck", kEcho + ParseHex("06"), TOperationOutcome::ooProgramSucceeded},
        ProgramAnswer{"Refusal15", kEcho + ParseHex("15"), TOperationOutcome::ooProgramFailed},
        ProgramAnswer{"EighteenEndingInAck", kEcho.substr(1) + ParseHex("06"),
                      TOperationOutcome::ooProgramFailed},
        ProgramAnswer{"Silent", ByteString(), TOperationOutcome::ooProgramFailed}),
    [](const auto& row) { return std::string(row.param.name); });

// A preset clicked while the preliminary read waits takes effect at once:
// the block is built from the controls after the wait, not before it.
TEST_F(DeviceOperationsTest, PresetClickedDuringTheWaitReachesTheBlock) {
  view.replies.push_back(kWorkedReply);
  view.duringExchange = [this] {
    view.ClickPreset(Handy_7);
    view.duringExchange = nullptr;
  };
  operations.Program();
  const auto sent = ParseProgramCommand(view.commandsSent.at(1));
  ASSERT_TRUE(sent.has_value());
  EXPECT_EQ((*sent)[block_offset::kOtMax], 250);
}

// Presses that arrive while an operation waits (window messages run then)
// are ignored: no second exchange, nothing shown, no control set.
TEST_F(DeviceOperationsTest, PressesDuringAnOperationAreIgnored) {
  std::vector<TOperationOutcome> nested;
  std::vector<bool> busyInside;
  auto pressBoth = [&] {
    busyInside.push_back(operations.Busy());
    nested.push_back(operations.Read());
    nested.push_back(operations.Program());
  };
  view.duringProcessMessages = pressBoth;
  view.duringExchange = pressBoth;
  view.replies.push_back(kWorkedReply);

  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadSucceeded);
  EXPECT_THAT(nested, ::testing::Each(TOperationOutcome::ooIgnored));
  EXPECT_EQ(nested.size(), 4u);
  EXPECT_THAT(busyInside, ::testing::Each(true));
  EXPECT_EQ(view.commandsSent.size(), 1u);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadOk));
  EXPECT_FALSE(operations.Busy());
}

TEST_F(DeviceOperationsTest, PressesDuringProgramAreIgnored) {
  int nestedPresses = 0;
  view.duringExchange = [&] {
    ++nestedPresses;
    EXPECT_EQ(operations.Program(), TOperationOutcome::ooIgnored);
    EXPECT_EQ(operations.Read(), TOperationOutcome::ooIgnored);
  };
  operations.Program();
  EXPECT_EQ(nestedPresses, 2);  // during the preliminary read and the program exchange
  EXPECT_EQ(view.commandsSent.size(), 2u);
  EXPECT_THAT(view.informationShown, ElementsAre(kReadFail, kProgramFail));
  EXPECT_FALSE(operations.Busy());
}

TEST_F(DeviceOperationsTest, AThrowingHandlerLeavesTheOperationsUsable) {
  view.duringExchange = [] { throw std::runtime_error("handler failed"); };
  EXPECT_THROW(operations.Read(), std::runtime_error);
  EXPECT_FALSE(operations.Busy());

  view.duringExchange = nullptr;
  view.replies.push_back(kWorkedReply);
  EXPECT_EQ(operations.Read(), TOperationOutcome::ooReadSucceeded);
}

TEST_F(DeviceOperationsTest, NotBusyBetweenOperations) {
  EXPECT_FALSE(operations.Busy());
  operations.Read();
  EXPECT_FALSE(operations.Busy());
}

}  // namespace
}  // namespace kx14
