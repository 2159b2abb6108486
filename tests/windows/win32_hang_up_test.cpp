// The simulator program quits while a read exchange waits for its reply: its
// pty closes under the open port, as a USB adapter pulled out would. The
// read fails at once rather than at its time-out, the window keeps its
// values, and the port, now gone, cannot be opened again. This ends the
// simulator; scripts/windows-test.sh runs it last and starts a new one.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "campaign_fixture.h"
#include "comm/comm_error.h"
#include "tests/windows/devsim_link.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class PtyClosedUnderThePort : public CampaignTest {
 protected:
  void SetUp() override {
    comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
    Open(kRealTimeOut);
  }
  test::DevsimLink simulator;
};

TEST_F(PtyClosedUnderThePort, ReadWaitingForTheReplyFailsAndThePortIsGone) {
  device.SetDelay(2000ms);  // the command arrives; the answer would come late
  const std::size_t commands = simulator.CountInLog("rx E5");
  std::thread closer([&] {
    if (simulator.WaitForLog("rx E5", commands, 5000ms)) simulator.Control("quit");
  });
  const WindowState before = State();

  const auto start = Clock::now();
  ops.Read();
  const auto took = Clock::now() - start;
  closer.join();

  EXPECT_EQ(view.informationShown, Texts{std::string(info_text::kReadFailed)});
  EXPECT_EQ(State(), before);
  EXPECT_LT(took, std::chrono::milliseconds(kRealTimeOut)) << "noticed only at the time-out";
  comm.Close();
  EXPECT_THROW(comm.Open(), ECommError);
}

}  // namespace
}  // namespace kx14::faults
