// A device that answers an earlier command after the window gave up on it:
// the late reply arrives after the next exchange's purge, ahead of the
// device's real answer, and has the right length and last byte. The
// exchange must never take it for the answer to its own command.

#include <gtest/gtest.h>

#include "linux_campaign_line.h"
#include "protocol/frames.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
namespace text = info_text;

class StaleReply : public PtyCampaignTest {
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

}  // namespace
}  // namespace kx14::faults
