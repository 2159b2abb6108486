// Late answers and a line that does not echo, as any far end can show them:
// an answer that comes after the window gave up must not fill the next
// exchange, and a device whose replies lead with other bytes than its
// commands' echo is served like any other.

#include <gtest/gtest.h>

#include <chrono>

#include "campaign_fixture.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
namespace text = info_text;

using LateAnswer = CampaignTest;

// After an exchange that got no answer in time, the next one waits for the
// line to go quiet before it sends: a late answer that comes meanwhile is
// discarded, even on a line that does not echo.
TEST_F(LateAnswer, OnALineWithoutEchoIsDiscardedBeforeTheNextSend) {
  device.SetFaults({.refuse = true, .noEcho = true});
  // The read's answer leaves halfway between the time-out and the end of the
  // settling that follows it (the settle time is the time-out), so a timer
  // that a loaded machine fires late still sees it late and the settling
  // still catches it. The program frame follows the failed read at once.
  static constexpr auto kTimeOut = 600ms;  // static: the lambda below uses it uncaptured
  comm.SetTimeOutReceive(static_cast<std::int32_t>(kTimeOut.count()));
  view.beforeExchange = [this](std::size_t exchange, const ByteString&) {
    device.SetDelay(exchange == 0 ? kTimeOut + kTimeOut / 2 : 0ms);
  };

  ops.Program();

  EXPECT_EQ(view.informationShown,
            (Texts{std::string(text::kReadFailed), std::string(text::kProgramFailed)}));
  ASSERT_EQ(view.repliesReceived.size(), 2u);
  // The read's late answer (18 bytes) would have filled the program's wait.
  EXPECT_TRUE(view.repliesReceived[1].empty() ||
              view.repliesReceived[1].back() == static_cast<char>(0x15));
}

// A device whose replies lead with any bytes but its commands' echo, and
// that answers in time, is never refused: not after a read whose first byte
// happened to equal the read command (one byte proves nothing), and not
// after the link has seen a few exchanges.
TEST_F(LateAnswer, DeviceWithoutEchoIsServedLikeAnyOther) {
  ASSERT_EQ(ops.Read(), TOperationOutcome::ooReadSucceeded);  // its first byte is E5
  device.SetFaults({.noEcho = true});
  for (int round = 0; round < 3; ++round) {
    view.informationShown.clear();
    EXPECT_EQ(ops.Read(), TOperationOutcome::ooReadSucceeded) << "round " << round;
    EXPECT_EQ(ops.Program(), TOperationOutcome::ooProgramSucceeded) << "round " << round;
    EXPECT_EQ(device.Block(), LastBlockSent());
  }
}

}  // namespace
}  // namespace kx14::faults
