// Many open/exchange/purge/close cycles with notifications flowing, against
// an echoing far end; run under AddressSanitizer and ThreadSanitizer too.
// Afterwards no thread and no descriptor may be left behind.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include "tests/comm/comm_fixture.h"

namespace kx14::test {
namespace {

// Echoes everything the component sends, like a device that answers at once.
class EchoFarEnd {
 public:
  explicit EchoFarEnd(int master) : master_(master), thread_([this] { Run(); }) {}
  ~EchoFarEnd() {
    stop_ = true;
    thread_.join();
  }

 private:
  void Run() {
    char buffer[4096];
    while (!stop_) {
      pollfd p{master_, POLLIN, 0};
      if (poll(&p, 1, 20) <= 0) continue;
      const ssize_t n = read(master_, buffer, sizeof buffer);
      if (n > 0) (void)!write(master_, buffer, static_cast<std::size_t>(n));
    }
  }

  int master_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// KX14_COMM_STRESS_CYCLES shortens (or lengthens) the run while debugging.
int Cycles() {
  const char* text = std::getenv("KX14_COMM_STRESS_CYCLES");
  return text != nullptr ? std::max(1, std::atoi(text)) : 200;
}

// The cycles are dealt to four shards, each a test of its own that ctest runs
// in its own process beside the others, so the stress does not set the
// suite's wall time; together they run every cycle, every command length.
constexpr int kShards = 4;
class CommStress : public CommOnPty, public ::testing::WithParamInterface<int> {};

TEST_P(CommStress, OpenExchangePurgeCloseLeavesNothingBehind) {
  if (GetParam() >= Cycles()) GTEST_SKIP() << "fewer cycles than shards";
  EchoFarEnd echo(pty.Master());
  const std::size_t threadsBefore = CountThreads();
  const std::size_t fdsBefore = CountOpenFds();
  const std::string fdsText = DescribeOpenFds();
  int notifications = 0;
  comm.OnReceive = [&](TCustomCommX&, std::int32_t) { ++notifications; };
  comm.SetTimeOutReceive(2000);
  int exchanged = 0;
  int cycles = 0;
  for (int cycle = GetParam(); cycle < Cycles(); cycle += kShards, ++cycles) {
    comm.Open();
    const ByteString command(1 + cycle % 40, static_cast<char>(cycle));
    ASSERT_TRUE(comm.WriteString(command));
    ByteString reply(command.size(), '\0');
    const auto got = comm.Read(reply.data(), static_cast<std::int32_t>(reply.size()));
    exchanged += got == static_cast<std::int32_t>(reply.size()) && reply == command;
    // Leave traffic in flight for the purges and the close to cut through.
    comm.WriteString(ByteString(3000, 'p'));
    // Let the echo's notifications reach the window side before the purges;
    // a slow (sanitized) build may need more than one pass of the pump.
    const int seen = notifications;
    pump.RunUntil([&] { return notifications > seen; }, std::chrono::milliseconds(50));
    comm.PurgeReceive();
    comm.PurgeTransmit();
    comm.Close();
  }
  EXPECT_EQ(exchanged, cycles);
  EXPECT_GT(notifications, 0);
  EXPECT_EQ(CountThreads(), threadsBefore);
  EXPECT_EQ(CountOpenFds(), fdsBefore) << "before: " << fdsText << "\nafter: " << DescribeOpenFds();
}

INSTANTIATE_TEST_SUITE_P(Shard, CommStress, ::testing::Range(0, kShards));

TEST_F(CommOnPty, StressDestroyingOpenComponentsWithTrafficInFlight) {
  EchoFarEnd echo(pty.Master());
  const std::size_t threadsBefore = CountThreads();
  const std::size_t fdsBefore = CountOpenFds();
  int notifications = 0;
  for (int cycle = 0; cycle < 10; ++cycle) {
    auto owned = std::make_unique<TCommX>(pump);
    owned->SetPortResolver(
        [path = pty.SlavePath()](int n) { return ResolveOnly(kPtyPortNo, path, n); });
    owned->SetPortNo(kPtyPortNo);
    owned->SetFlowCtrl(TCommFlowCtrls::cfcNone);
    owned->OnReceive = [&](TCustomCommX&, std::int32_t) { ++notifications; };
    owned->Open();
    owned->WriteString(ByteString(20000, 'd'));
    pump.RunFor(milliseconds(5));
    owned.reset();  // with chunks queued and notifications pending
    pump.ProcessMessages();
  }
  EXPECT_EQ(CountThreads(), threadsBefore);
  EXPECT_EQ(CountOpenFds(), fdsBefore);
}

}  // namespace
}  // namespace kx14::test
