// The device answers wrongly: each fault of the simulator against a read and
// a program operation, and a reply just inside and just outside the real
// 3000 ms time-out. For each: the texts shown, the window's controls, and the
// block the device holds afterwards.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "campaign_fixture.h"
#include "program_rules.h"
#include "protocol/frames.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using devsim::Faults;
namespace text = info_text;

// What the device holds after the operation.
enum class DeviceEnds {
  kUnchanged,  // its own block: the program frame never got stored
  kHoldsSent,  // the block the program frame carried
};

struct FaultRow {
  std::string name;
  Faults faults;
  Operation operation;
  Texts texts;
  DeviceEnds device = DeviceEnds::kUnchanged;
};

void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

Faults Silent() { return {.silent = true}; }
Faults ShortReply() { return {.shortReply = true}; }
Faults LongReply() { return {.longReply = true}; }
Faults Noise() { return {.noise = true}; }
Faults BadChecksum() { return {.badChecksum = true}; }
Faults Refuse() { return {.refuse = true}; }

const Texts kReadOkOnly{std::string(text::kReadSucceeded)};
const Texts kReadFailedOnly{std::string(text::kReadFailed)};
Texts Program(std::string_view read, std::string_view program) {
  return {std::string(read), std::string(program)};
}

class DeviceFaults : public CampaignTest, public ::testing::WithParamInterface<FaultRow> {};

// A failed read leaves every control as it was; a successful one shows the
// device's block. The program operation always ends with OT_ON, OT_TIME 3 and
// MAXPWR 74, and sends exactly the block the rules give for what the
// preliminary read brought.
TEST_P(DeviceFaults, TextsControlsAndDeviceFollowTheRules) {
  const FaultRow& row = GetParam();
  device.SetFaults(row.faults);
  const WindowState before = State();

  if (row.operation == Operation::kRead) {
    ops.Read();
  } else {
    ops.Program();
  }

  EXPECT_EQ(view.informationShown, row.texts);
  const bool readOk = view.informationShown.front() == text::kReadSucceeded;
  if (row.operation == Operation::kRead) {
    ASSERT_EQ(view.commandsSent.size(), 1u);
    EXPECT_EQ(State(), readOk ? AfterReadingDeviceBlock() : before);
    EXPECT_EQ(device.Block(), kDeviceBlock);
    return;
  }
  ASSERT_EQ(view.commandsSent.size(), 2u);
  EXPECT_EQ(view.commandsSent[0], ReadCommandFrame());
  const BlockBytes rule = RuleProgramBlock(before.controls, view.repliesReceived[0]);
  EXPECT_EQ(LastBlockSent(), rule);
  EXPECT_TRUE(view.ReadControls().overtake);
  EXPECT_EQ(view.ReadControls().otTime, 3);
  EXPECT_EQ(view.ReadControls().maxPwr, 74);
  EXPECT_EQ(view.Preset(), before.preset) << "the program operation chooses no level";
  EXPECT_EQ(device.Block(), row.device == DeviceEnds::kHoldsSent ? rule : kDeviceBlock);
}

const FaultRow kFaultRows[] = {
    FaultRow{"ReadNormal", {}, Operation::kRead, kReadOkOnly},
    FaultRow{"ReadSilent", Silent(), Operation::kRead, kReadFailedOnly},
    FaultRow{"ReadOneByteShort", ShortReply(), Operation::kRead, kReadFailedOnly},
    // The first 18 bytes are the whole reply; the extra one is purged.
    FaultRow{"ReadOneByteLong", LongReply(), Operation::kRead, kReadOkOnly},
    FaultRow{"ReadNoiseFirst", Noise(), Operation::kRead, kReadFailedOnly},
    FaultRow{"ReadWrongChecksum", BadChecksum(), Operation::kRead, kReadFailedOnly},
    FaultRow{"ReadFromARefusingDevice", Refuse(), Operation::kRead, kReadOkOnly},
    FaultRow{"ProgramNormal",
             {},
             Operation::kProgram,
             Program(text::kReadSucceeded, text::kProgramSucceeded),
             DeviceEnds::kHoldsSent},
    FaultRow{"ProgramSilent", Silent(), Operation::kProgram,
             Program(text::kReadFailed, text::kProgramFailed)},
    // The device stored the block, but its acknowledgement never came
    // whole: the window must not claim success.
    FaultRow{"ProgramOneByteShort", ShortReply(), Operation::kProgram,
             Program(text::kReadFailed, text::kProgramFailed), DeviceEnds::kHoldsSent},
    FaultRow{"ProgramOneByteLong", LongReply(), Operation::kProgram,
             Program(text::kReadSucceeded, text::kProgramSucceeded), DeviceEnds::kHoldsSent},
    FaultRow{"ProgramNoiseFirst", Noise(), Operation::kProgram,
             Program(text::kReadFailed, text::kProgramFailed), DeviceEnds::kHoldsSent},
    // Only read replies carry the wrong checksum: the window's own
    // values go out, and the device takes them.
    FaultRow{"ProgramAfterWrongChecksum", BadChecksum(), Operation::kProgram,
             Program(text::kReadFailed, text::kProgramSucceeded), DeviceEnds::kHoldsSent},
    FaultRow{"ProgramRefused", Refuse(), Operation::kProgram,
             Program(text::kReadSucceeded, text::kProgramFailed)}};

INSTANTIATE_TEST_SUITE_P(Campaign, DeviceFaults, ::testing::ValuesIn(kFaultRows),
                         [](const ::testing::TestParamInfo<FaultRow>& param) {
                           return param.param.name;
                         });

// The reply leaves the device `delay` after the command: 300 ms inside or
// outside the real time-out. In a program operation only its program
// exchange is delayed, so each case costs one time-out.
struct TimingRow {
  std::string name;
  Operation operation;
  std::chrono::milliseconds delay;
  Texts texts;
};

void PrintTo(const TimingRow& row, std::ostream* out) { *out << row.name; }

class ReplyAroundTheTimeOut : public CampaignTest, public ::testing::WithParamInterface<TimingRow> {
 protected:
  void SetUp() override {
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    Open(kRealTimeOut);
  }
};

TEST_P(ReplyAroundTheTimeOut, CountsOnlyWhatCameInTime) {
  const TimingRow& row = GetParam();
  const std::size_t delayedExchange = row.operation == Operation::kRead ? 0 : 1;
  view.beforeExchange = [&](std::size_t exchange, const ByteString&) {
    device.SetDelay(exchange == delayedExchange ? row.delay : 0ms);
  };
  const WindowState before = State();
  const bool late = row.delay > std::chrono::milliseconds(kRealTimeOut);

  const auto start = Clock::now();
  if (row.operation == Operation::kRead) {
    ops.Read();
  } else {
    ops.Program();
  }
  const auto took = Clock::now() - start;

  EXPECT_EQ(view.informationShown, row.texts);
  EXPECT_GE(took, late ? std::chrono::milliseconds(kRealTimeOut) : row.delay);
  EXPECT_LT(took, row.delay + kGenerous);
  if (row.operation == Operation::kRead) {
    EXPECT_EQ(State(), late ? before : AfterReadingDeviceBlock());
  } else {
    // Late or not, the device took the frame; only the answer was late.
    EXPECT_EQ(device.Block(), RuleProgramBlock(before.controls, view.repliesReceived[0]));
  }

  // The late reply must not be taken for the next one: once it is in, the
  // next exchange's purge drops it, and a read shows the device's new block.
  if (!late) return;
  pump.RunFor(row.delay - std::chrono::milliseconds(kRealTimeOut) + 200ms);
  const BlockBytes newer = {0x00, 0, 0, 9, 0, 0, 8, 0x01, 1, 2, 3, 4, 5, 6, 7, 0x50};
  device.SetBlock(newer);
  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, kReadOkOnly);
  EXPECT_EQ(view.ReadControls().yourId, 9);
  EXPECT_EQ(view.ReadControls().myId, 8);
}

const TimingRow kTimingRows[] = {TimingRow{"ReadJustBefore", Operation::kRead, 2700ms, kReadOkOnly},
                                 TimingRow{"ReadJustAfter", Operation::kRead, 3300ms, kReadFailedOnly},
                                 TimingRow{"ProgramJustBefore", Operation::kProgram, 2700ms,
                                           Program(text::kReadSucceeded, text::kProgramSucceeded)},
                                 TimingRow{"ProgramJustAfter", Operation::kProgram, 3300ms,
                                           Program(text::kReadSucceeded, text::kProgramFailed)}};

INSTANTIATE_TEST_SUITE_P(Campaign, ReplyAroundTheTimeOut, ::testing::ValuesIn(kTimingRows),
                         [](const ::testing::TestParamInfo<TimingRow>& param) {
                           return param.param.name;
                         });

}  // namespace
}  // namespace kx14::faults
