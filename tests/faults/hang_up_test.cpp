// The far end drops the line: while the window writes its command, while it
// waits for the reply, half way through the reply, and while the window's
// output is backed up in the driver. Then the port is reopened: on the dead
// line it fails, on a device that came back it works again.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "comm/comm_error.h"
#include "linux_campaign_line.h"
#include "program_rules.h"
#include "protocol/frames.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::HangUp;
using testing::InProcessDevice;
namespace text = info_text;

struct HangUpRow {
  std::string name;
  Operation operation;
  std::size_t exchange;  // the exchange during which the line drops
  HangUp when;
  Texts texts;
  bool deviceTookTheBlock = false;
};

void PrintTo(const HangUpRow& row, std::ostream* out) { *out << row.name; }

Texts Shown(std::string_view first) { return {std::string(first)}; }
Texts Shown(std::string_view first, std::string_view second) {
  return {std::string(first), std::string(second)};
}

class HangUps : public PtyCampaignTest, public ::testing::WithParamInterface<HangUpRow> {
 protected:
  // The real time-out: a dropped line must end the wait long before it.
  void SetUp() override {
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    Open(kRealTimeOut);
  }

  void Run(Operation operation) {
    if (operation == Operation::kRead) {
      ops.Read();
    } else {
      ops.Program();
    }
  }
};

TEST_P(HangUps, FailWithoutWaitingAndKeepTheRules) {
  const HangUpRow& row = GetParam();
  view.beforeExchange = [&](std::size_t exchange, const ByteString&) {
    if (exchange == row.exchange) device.ArmHangUp(row.when);
  };
  const WindowState before = State();

  const auto start = Clock::now();
  Run(row.operation);
  const auto took = Clock::now() - start;

  EXPECT_TRUE(device.WaitForHangUp(kGenerous));
  EXPECT_EQ(view.informationShown, row.texts);
  // Each exchange after the drop fails at once instead of waiting out the
  // time-out: 3000 ms would be spent if it did.
  EXPECT_LT(took, std::chrono::milliseconds(kRealTimeOut) * 2 / 3);
  if (row.operation == Operation::kRead) {
    EXPECT_EQ(State(), before);
  } else {
    EXPECT_EQ(device.Block(), row.deviceTookTheBlock
                                  ? RuleProgramBlock(before.controls, view.repliesReceived[0])
                                  : kDeviceBlock);
  }

  // The port stays open on the dead line; every further operation fails
  // at once and changes nothing.
  EXPECT_TRUE(comm.IsOpen());
  const WindowState afterDrop = State();
  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, Shown(text::kReadFailed));
  EXPECT_EQ(State(), afterDrop);
}

const HangUpRow kHangUpRows[] = {
    HangUpRow{"ReadWhileWritingTheCommand", Operation::kRead, 0, HangUp::kOnCommandBytes,
              Shown(text::kReadFailed)},
    HangUpRow{"ReadWhileWaitingForTheReply", Operation::kRead, 0, HangUp::kAfterCommand,
              Shown(text::kReadFailed)},
    HangUpRow{"ReadHalfWayThroughTheReply", Operation::kRead, 0, HangUp::kMidReply,
              Shown(text::kReadFailed)},
    HangUpRow{"ProgramDuringThePreliminaryRead", Operation::kProgram, 0, HangUp::kAfterCommand,
              Shown(text::kReadFailed, text::kProgramFailed)},
    HangUpRow{"ProgramWhileWritingTheBlock", Operation::kProgram, 1, HangUp::kOnCommandBytes,
              Shown(text::kReadSucceeded, text::kProgramFailed)},
    // The device stored the block and then dropped the line before its
    // acknowledgement: no success without the acknowledgement.
    HangUpRow{"ProgramWhileWaitingForTheAcknowledgement", Operation::kProgram, 1,
              HangUp::kAfterCommand, Shown(text::kReadSucceeded, text::kProgramFailed), true},
    HangUpRow{"ProgramHalfWayThroughTheAcknowledgement", Operation::kProgram, 1, HangUp::kMidReply,
              Shown(text::kReadSucceeded, text::kProgramFailed), true}};

INSTANTIATE_TEST_SUITE_P(Campaign, HangUps, ::testing::ValuesIn(kHangUpRows),
                         [](const ::testing::TestParamInfo<HangUpRow>& param) {
                           return param.param.name;
                         });

using HangUpAndReopen = PtyCampaignTest;

std::string OpenFailure(TCommX& comm) {
  try {
    comm.Open();
  } catch (const ECommError& error) {
    return error.what();
  }
  return "opened";
}

// The pty of a dropped line is gone: closing the port works, reopening it
// fails with the component's message and leaves it closed. A device that
// comes back under the same COM name is reached again by reopening.
TEST_F(HangUpAndReopen, DeadLineFailsToReopenAndARevivedDeviceWorks) {
  device.HangUpNow();
  ops.Read();
  const auto closing = Clock::now();
  comm.Close();
  EXPECT_LT(Clock::now() - closing, kGenerous);
  EXPECT_FALSE(comm.IsOpen());

  EXPECT_EQ(OpenFailure(comm), comm_msg::kCannotOpen);
  EXPECT_FALSE(comm.IsOpen());

  InProcessDevice revived(kDeviceBlock);
  home.Link(kCampaignPort, revived.SlavePath());
  ASSERT_EQ(OpenFailure(comm), "opened");
  view.informationShown.clear();
  ops.Program();
  EXPECT_EQ(view.informationShown, Shown(text::kReadSucceeded, text::kProgramSucceeded));
  EXPECT_EQ(revived.Block(), LastBlockSent());
  comm.Close();
}

// The device stops taking bytes, so the window's output backs up in the
// driver and the transmit worker waits for room; then the line drops. The
// operation that waits behind that output fails, and closing the port does
// not wait for output that can never leave.
TEST_F(HangUpAndReopen, DropWhileOutputIsBackedUpNeitherHangsNorSucceeds) {
  comm.Close();
  Open(kRealTimeOut);  // the drop comes while the first exchange waits
  device.SetStalled(true);
  const ByteString filler(48 * 1024, '\x55');  // beyond what the pty buffers
  ASSERT_TRUE(comm.WriteString(filler));
  // The line drops as the first exchange begins, behind the backed-up output.
  view.beforeExchange = [&](std::size_t exchange, const ByteString&) {
    if (exchange == 0) device.HangUpNow();
  };
  const auto start = Clock::now();
  ops.Program();
  const auto took = Clock::now() - start;
  EXPECT_EQ(view.informationShown, Shown(text::kReadFailed, text::kProgramFailed));
  EXPECT_LT(took, std::chrono::milliseconds(kRealTimeOut));
  EXPECT_EQ(device.Block(), kDeviceBlock);

  const auto closing = Clock::now();
  comm.Close();
  EXPECT_LT(Clock::now() - closing, kGenerous);
  EXPECT_EQ(comm.PendingBytes(), 0);
}

}  // namespace
}  // namespace kx14::faults
