// A device that answers an earlier command after the window gave up on it:
// the late reply arrives after the next exchange's purge, ahead of the
// device's real answer, and has the right length and last byte. The
// exchange must never take it for the answer to its own command; and a
// device that answers in time must never be refused, whatever its leading
// reply bytes are.

#include <gtest/gtest.h>

#include "campaign_fixture.h"
#include "protocol/frames.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
namespace text = info_text;

class StaleReply : public CampaignTest {
 protected:
  // Sends `stale` ahead of the device's answer to the next command that
  // starts with `commandByte`.
  void InjectBefore(char commandByte, const ByteString& stale) {
    device.SetCommandHook([this, commandByte, stale](const ByteString& command) {
      if (command.front() == commandByte) device.SendNow(stale);
    });
  }

  // A clean program operation: the line shows that it echoes.
  void ProgramCleanly() {
    ASSERT_EQ(ops.Program(), TOperationOutcome::ooProgramSucceeded);
    view.informationShown.clear();
  }
};

// Block X was stored, but its acknowledgement came late. The window then
// sends block Y, which the device refuses; X's late acknowledgement (its
// 18-byte echo and 0x06) arrives first and is 19 bytes ending in 0x06.
TEST_F(StaleReply, LateAcknowledgementOfAnotherBlockIsNotASuccess) {
  ProgramCleanly();
  const BlockBytes blockX = LastBlockSent();
  const ByteString lateAckOfX = view.commandsSent.back() + '\x06';
  view.ClickPreset(THandicapPreset::Handy_7);  // so Y differs from X
  device.SetFaults({.refuse = true});
  InjectBefore(static_cast<char>(kProgramCommandByte), lateAckOfX);

  ops.Program();

  ASSERT_NE(LastBlockSent(), blockX);
  EXPECT_EQ(device.Block(), blockX);
  EXPECT_EQ(view.informationShown.back(), text::kProgramFailed);
}

// The device refused block X late; its late answer (X's echo and 0x15)
// arrives as the window reads. Its first 18 bytes have the shape of a read
// reply whose checksum matches, since the program frame carries the block's
// checksum in the same place.
TEST_F(StaleReply, LateRefusalIsNotReadAsTheDevicesBlock) {
  ProgramCleanly();
  const BlockBytes deviceBlock = device.Block();
  const BlockBytes blockX = {0x00, 1, 2, 3, 4, 5, 6, 0x00, 7, 8, 9, 10, 11, 12, 13, 14};
  InjectBefore(static_cast<char>(kReadCommandByte), ProgramCommandFrame(blockX) + '\x15');
  const WindowState before = State();

  EXPECT_EQ(ops.Read(), TOperationOutcome::ooReadFailed);

  EXPECT_EQ(device.Block(), deviceBlock);
  EXPECT_EQ(State(), before) << "X's values were shown";
}

// After an exchange that got no answer in time, the next one waits for the
// line to go quiet before it sends: a late answer that comes meanwhile is
// discarded, even on a line that does not echo.
TEST_F(StaleReply, LateAnswerOnALineWithoutEchoIsDiscardedBeforeTheNextSend) {
  device.SetFaults({.refuse = true, .noEcho = true});
  // The refusal leaves 50 ms after the time-out, and the program frame
  // follows the failed preliminary read at once.
  view.beforeExchange = [this](std::size_t exchange, const ByteString&) {
    device.SetDelay(exchange == 0 ? std::chrono::milliseconds(kQuickTimeOut) + 50ms : 0ms);
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
TEST_F(StaleReply, DeviceWithoutEchoIsServedLikeAnyOther) {
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
