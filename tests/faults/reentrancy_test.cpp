// Window handlers that run while an exchange waits for the device (the wait
// lets window messages run): a second press of either button, a preset
// click, the port closed or reopened. Nothing may crash or hang, a second
// operation never starts inside the first, and the rules still hold for
// what the first one shows and sends.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "linux_campaign_line.h"
#include "program_rules.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
namespace text = info_text;


class InsideTheWait : public PtyCampaignTest {
 protected:
  // The device answers 150 ms late, well within the time-out, so the
  // handler that the first command posts runs while the window waits.
  void SetUp() override {
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    Open(kRealTimeOut);
    device.SetDelay(150ms);
  }

  // Posts `handler` to the window's queue when the first command reaches
  // the device.
  void DuringFirstWait(std::function<void()> handler) {
    device.SetCommandHook([this, handler](const ByteString&) {
      if (!handlerPosted.exchange(true)) pump.Post(handler);
    });
  }

  std::atomic<bool> handlerPosted{false};
  std::optional<TOperationOutcome> nested;
};

TEST_F(InsideTheWait, SecondReadPressIsIgnored) {
  DuringFirstWait([this] { nested = ops.Read(); });
  ops.Read();
  EXPECT_EQ(nested, TOperationOutcome::ooIgnored);
  EXPECT_EQ(view.informationShown, Texts{kReadOk});
  EXPECT_EQ(device.CommandsReceived(), 1u);
}

TEST_F(InsideTheWait, ProgramPressDuringAReadIsIgnored) {
  DuringFirstWait([this] { nested = ops.Program(); });
  ops.Read();
  EXPECT_EQ(nested, TOperationOutcome::ooIgnored);
  EXPECT_EQ(view.informationShown, Texts{kReadOk});
  EXPECT_EQ(device.CommandsReceived(), 1u);
  EXPECT_EQ(device.Block(), kDeviceBlock);
}

TEST_F(InsideTheWait, ReadPressDuringAProgramIsIgnored) {
  const WindowState before = State();
  DuringFirstWait([this] { nested = ops.Read(); });
  ops.Program();
  EXPECT_EQ(nested, TOperationOutcome::ooIgnored);
  EXPECT_EQ(view.informationShown, (Texts{kReadOk, kProgramOk}));
  EXPECT_EQ(device.CommandsReceived(), 2u);
  EXPECT_EQ(device.Block(), RuleProgramBlock(before.controls, view.repliesReceived[0]));
}

// The click's handler runs at once; the read then sets THR_BAR from the
// device and picks the level for it.
TEST_F(InsideTheWait, PresetClickDuringAReadIsOverruledByTheRead) {
  DuringFirstWait([this] { view.ClickPreset(THandicapPreset::Handy_7); });
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{kReadOk});
  WindowState expected = AfterReadingDeviceBlock();
  expected.levelHandlersRun = 2;  // Handy_7 clicked, then Handy6 chosen
  EXPECT_EQ(State(), expected);
}

// The block is built after the wait, from THR_BAR as the level left it.
TEST_F(InsideTheWait, PresetClickDuringAProgramGoesOutAsOtMax) {
  DuringFirstWait([this] { view.ClickPreset(THandicapPreset::Handy_7); });
  ops.Program();
  EXPECT_EQ(view.informationShown, (Texts{kReadOk, kProgramOk}));
  EXPECT_EQ(LastBlockSent()[block_offset::kOtMax], 250);
  EXPECT_EQ(device.Block(), LastBlockSent());
}

TEST_F(InsideTheWait, PortClosedDuringAReadFailsItAndChangesNothing) {
  const WindowState before = State();
  DuringFirstWait([this] { comm.Close(); });
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{kReadFailed});
  EXPECT_EQ(State(), before);
  EXPECT_FALSE(comm.IsOpen());
}

// Nothing reaches a closed port: the device sees only the read command and
// keeps its block.
TEST_F(InsideTheWait, PortClosedDuringAProgramSendsNoBlock) {
  DuringFirstWait([this] { comm.Close(); });
  ops.Program();
  EXPECT_EQ(view.informationShown, (Texts{kReadFailed, kProgramFailed}));
  EXPECT_EQ(device.CommandsReceived(), 1u);
  EXPECT_EQ(device.Block(), kDeviceBlock);
}

// A port closed and opened again under a waiting read: the reply that the
// old opening waited for is not taken from the new one.
TEST_F(InsideTheWait, PortReopenedDuringAReadFailsThatRead) {
  const WindowState before = State();
  DuringFirstWait([this] {
    comm.Close();
    comm.Open();
  });
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{kReadFailed});
  EXPECT_EQ(State(), before);
  ASSERT_TRUE(comm.IsOpen());

  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{kReadOk});
}

}  // namespace
}  // namespace kx14::faults
