// The same campaign against the real kx14-devsim program: its frame log's
// "stored" lines say what the device holds; control lines on its standard
// input make it misbehave between two operations; and its end (quit, a stop
// signal, or a kill that leaves its entry dangling) drops the line under an
// open port, which a restarted simulator brings back.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "campaign_fixture.h"
#include "comm/comm_error.h"
#include "config_home.h"
#include "devsim_process.h"
#include "ports/com_ports.h"
#include "protocol/hex_bytes.h"

namespace kx14::faults {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using testing::DevsimProcess;
namespace text = info_text;

constexpr int kSimulatorPort = 42;

class RealSimulator : public ::testing::Test {
 protected:
  void SetUp() override { comm.SetFlowCtrl(TCommFlowCtrls::cfcNone); }
  void TearDown() override { comm.Close(); }

  void StartSimulator() {
    simulator = std::make_unique<DevsimProcess>(
        KX14_DEVSIM_PATH, home.Path(),
        std::vector<std::string>{"--com", std::to_string(kSimulatorPort)});
    ASSERT_TRUE(simulator->WaitForLine("port COM" + std::to_string(kSimulatorPort), kGenerous));
  }

  void OpenPort(std::int32_t timeOut = kQuickTimeOut) {
    comm.SetPortResolver(ResolveMachinePort);
    comm.SetPortNo(kSimulatorPort);
    comm.SetTimeOutReceive(timeOut);
    comm.Open();
  }

  void Control(const std::string& line, const std::string& confirmation) {
    simulator->Send(line + "\n");
    ASSERT_TRUE(simulator->WaitForLine("ctl " + confirmation, kGenerous)) << line;
  }

  // The blocks the log reports stored from now until it has been quiet for
  // a while (every line of an exchange is written before its reply leaves).
  std::vector<ByteString> StoredFromNowOn() {
    std::vector<ByteString> stored;
    while (const auto line = simulator->ReadLine(300ms)) {
      if (line->rfind("stored ", 0) == 0) {
        stored.push_back(ParseHexBytes(line->substr(7)).value_or("unreadable"));
      }
    }
    return stored;
  }

  ByteString LastBlockSent() const { return view.commandsSent.back().substr(1, 16); }

  std::string OpenFailure() {
    try {
      comm.Open();
    } catch (const ECommError& error) {
      return error.what();
    }
    return "opened";
  }

  ConfigHome home;
  std::unique_ptr<DevsimProcess> simulator;
  PollMessagePump pump;
  TCommX comm{pump};
  testing::CommDeviceView view{pump, comm};
  TDeviceOperations ops{view};
};

TEST_F(RealSimulator, StoresExactlyTheBlockSentAndNothingWhenItRefuses) {
  StartSimulator();
  OpenPort();
  ops.Program();
  EXPECT_EQ(view.informationShown, (Texts{kReadOk, kProgramOk}));
  EXPECT_EQ(StoredFromNowOn(), std::vector<ByteString>{LastBlockSent()});

  Control("mode refuse", "mode refuse");
  view.ClickPreset(THandicapPreset::Handy_7);  // a block other than the one stored
  view.informationShown.clear();
  ops.Program();
  EXPECT_EQ(view.informationShown, (Texts{kReadOk, kProgramFailed}));
  EXPECT_TRUE(StoredFromNowOn().empty());

  Control("mode bad-checksum", "mode bad-checksum");
  const BlockControls before = view.ReadControls();
  view.informationShown.clear();
  ops.Read();
  EXPECT_EQ(view.informationShown, Texts{kReadFailed});
  EXPECT_EQ(view.ReadControls(), before);
}

enum class SimulatorEnds { kQuit, kTerminated, kKilled };

class SimulatorEnding : public RealSimulator,
                        public ::testing::WithParamInterface<SimulatorEnds> {};

// The line drops with the simulator: the waiting read fails at once, not
// after the 3000 ms time-out. Its entry is gone (or dangles after a kill), so
// the port cannot be reopened until a new simulator takes the name again.
TEST_P(SimulatorEnding, DropsTheLineAndARestartIsReachedByReopening) {
  StartSimulator();
  OpenPort(kRealTimeOut);
  ops.Read();
  ASSERT_EQ(view.informationShown, Texts{kReadOk});

  switch (GetParam()) {
    case SimulatorEnds::kQuit:
      simulator->Send("quit\n");
      break;
    case SimulatorEnds::kTerminated:
      simulator->Signal(SIGTERM);
      break;
    case SimulatorEnds::kKilled:
      simulator->Signal(SIGKILL);
      break;
  }
  ASSERT_TRUE(simulator->WaitExit(kGenerous).has_value());

  const WindowState before{view.ReadControls(), view.Preset(), view.presetHandlersRun.size()};
  view.informationShown.clear();
  const auto start = Clock::now();
  ops.Read();
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kRealTimeOut) * 2 / 3);
  EXPECT_EQ(view.informationShown, Texts{kReadFailed});
  EXPECT_EQ((WindowState{view.ReadControls(), view.Preset(), view.presetHandlersRun.size()}),
            before);

  comm.Close();
  const std::string reopened = OpenFailure();
  if (reopened == "opened" && GetParam() == SimulatorEnds::kKilled) {
    // The killed simulator's entry still names its pseudo-terminal, whose
    // number another program (tests run side by side) may have taken since:
    // the entry then leads there. Only an entry that a clean end removed is
    // sure to fail.
    comm.Close();
  } else {
    EXPECT_EQ(reopened, comm_msg::kCannotOpen);
    EXPECT_FALSE(comm.IsOpen());
  }

  // A killed simulator could not remove its entry; its successor needs the
  // name free.
  if (GetParam() == SimulatorEnds::kKilled) home.Unlink(kSimulatorPort);
  StartSimulator();
  ASSERT_EQ(OpenFailure(), "opened");
  view.informationShown.clear();
  ops.Program();
  EXPECT_EQ(view.informationShown, (Texts{kReadOk, kProgramOk}));
  EXPECT_EQ(StoredFromNowOn(), std::vector<ByteString>{LastBlockSent()});
}

INSTANTIATE_TEST_SUITE_P(Campaign, SimulatorEnding,
                         ::testing::Values(SimulatorEnds::kQuit, SimulatorEnds::kTerminated,
                                           SimulatorEnds::kKilled),
                         [](const ::testing::TestParamInfo<SimulatorEnds>& param) {
                           switch (param.param) {
                             case SimulatorEnds::kQuit:
                               return std::string("Quit");
                             case SimulatorEnds::kTerminated:
                               return std::string("Terminated");
                             case SimulatorEnds::kKilled:
                               break;
                           }
                           return std::string("Killed");
                         });

}  // namespace
}  // namespace kx14::faults
