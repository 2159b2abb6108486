// The parts of the benchmarks whose faults would make a figure wrong without
// anyone noticing: the summary line's form, the percentiles, the peers'
// answers, the far end's frames, the paced line's byte times, and the
// plumbing to child processes.
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/latency_stats.h"
#include "bench/paced_line.h"
#include "bench/peer_answers.h"
#include "bench/plain_port.h"
#include "bench/process_usage.h"
#include "bench/pty_drain.h"
#include "bench/simulator_child.h"
#include "bench/summary_line.h"
#include "instant_device.h"
#include "pty_pair.h"

namespace kx14::bench {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(SummaryLine, CarriesEveryPeerInTheAgreedForm) {
  const Summary s{"roundtrip_read_median", "us", 31.14, 15.9, 120.0, 250.55, "<=1.2x_floor", false};
  EXPECT_EQ(FormatSummary(s),
            "bench: roundtrip_read_median ours=31.1us floor=15.9 qt=120 pyserial=251 ratio=1.96 "
            "target=<=1.2x_floor missed");
}

TEST(SummaryLine, LeavesOutPeersAMeasureDoesNotHave) {
  const Summary s{"bulk_write", "MiB/s",      100.0,          120.0,
                  std::nullopt, std::nullopt, ">=0.8x_floor", true};
  EXPECT_EQ(FormatSummary(s),
            "bench: bulk_write ours=100MiB/s floor=120 ratio=0.83 target=>=0.8x_floor met");
}

TEST(SummaryLine, ZeroFloorGivesAnInfiniteRatioNotADivisionFault) {
  const Summary s{"idle", "%", 0.002, 0.0, std::nullopt, std::nullopt, "<1%", true};
  EXPECT_EQ(FormatSummary(s), "bench: idle ours=0.002% floor=0 ratio=inf target=<1% met");
}

TEST(LatencyStats, NearestRankPercentilesOfUnsortedSamples) {
  std::vector<double> samples;
  for (int i = 100; i >= 1; --i) samples.push_back(i);
  const LatencyStats stats = Summarise(samples);
  EXPECT_EQ(stats.count, 100u);
  EXPECT_EQ(stats.median, 50.0);
  EXPECT_EQ(stats.p99, 99.0);
  EXPECT_EQ(Percentile(samples, 1.0), 100.0);
}

TEST(LatencyStats, SingleAndNoSamples) {
  EXPECT_EQ(Percentile({7.0}, 0.5), 7.0);
  EXPECT_EQ(Percentile({7.0}, 0.99), 7.0);
  EXPECT_EQ(Summarise({}).median, 0.0);
}

TEST(PeerAnswers, SamplesAndIdleFiguresAreReadBack) {
  EXPECT_EQ(ExchangeRequest(18, 19, 100), "exchange 18 19 100");
  EXPECT_EQ(SilentRequest(1, 18), "silent 1 18");
  EXPECT_EQ(ParseSamples("ok 12.5 13 14.25"), (std::vector<double>{12.5, 13, 14.25}));
  EXPECT_EQ(ParseSamples("ok"), std::vector<double>{});
  const auto idle = ParseIdle("idle 0.000120 3.001 0");
  ASSERT_TRUE(idle.has_value());
  EXPECT_DOUBLE_EQ(idle->cpuSeconds, 0.00012);
  EXPECT_DOUBLE_EQ(idle->wallSeconds, 3.001);
  EXPECT_EQ(idle->bytesReceived, 0);
}

TEST(PeerAnswers, ErrorsAndGarbageAreNoFigures) {
  EXPECT_FALSE(ParseSamples("error short reply"));
  EXPECT_FALSE(ParseSamples("ok 12 x 14"));
  EXPECT_FALSE(ParseIdle("ok 1 2 3"));
  EXPECT_FALSE(ParseIdle("idle 0.1"));
}

TEST(SimulatorPortLine, GivesTheTtyOfThePortLineOnly) {
  EXPECT_EQ(TtyOfPortLine("port COM3 /dev/pts/4"), "/dev/pts/4");
  EXPECT_EQ(TtyOfPortLine("rx E5"), "");
  EXPECT_EQ(TtyOfPortLine("port COM3"), "");
}

TEST(ProcessUsage, PeakMemoryComesFromVmHwm) {
  EXPECT_EQ(PeakMemoryMiB("Name:\tx\nVmPeak:\t 9999 kB\nVmHWM:\t   2048 kB\nVmRSS:\t 1 kB\n"), 2.0);
  EXPECT_FALSE(PeakMemoryMiB("Name:\tx\n"));
  const auto self = PeakMemoryOfProcess(getpid());
  ASSERT_TRUE(self.has_value());
  EXPECT_GT(*self, 0.0);
}

class FarEndOnPty : public ::testing::Test {
 protected:
  testing::PtyPair pty{testing::PtyPair::Line::kRaw};
  testing::InstantDevice farEnd{pty.Master()};
  PlainPort host{pty.SlavePath()};
};

TEST_F(FarEndOnPty, AnswersTheReadCommandWithEighteenBytes) {
  EXPECT_EQ(host.Exchange("\xE5", 19, milliseconds(300)), 18u) << "no more than the reply";
}

TEST_F(FarEndOnPty, AnswersAProgramCommandWithItsEchoAndTheAcknowledgement) {
  ByteString command(18, '\0');
  command[0] = '\xF5';  // a zero block, checksum 0
  EXPECT_EQ(host.Exchange(command, 20, milliseconds(300)), 19u);
}

TEST_F(FarEndOnPty, SilentFarEndAnswersNothing) {
  farEnd.SetSilent(true);
  EXPECT_EQ(host.Exchange("\xE5", 18, milliseconds(200)), 0u);
  farEnd.SetSilent(false);
  EXPECT_EQ(host.Exchange("\xE5", 18, milliseconds(2000)), 18u);
}

TEST(PacedLine, DeliversEveryByteInOrderNoSoonerThanTheLineCould) {
  testing::PtyPair host{testing::PtyPair::Line::kRaw};
  testing::PtyPair device{testing::PtyPair::Line::kRaw};
  PlainPort deviceEnd(device.SlavePath());
  PacedLine line(host.Master(), deviceEnd.Fd(), 9600);
  PlainPort hostEnd(host.SlavePath());

  const std::string sent = "0123456789";
  const auto start = Clock::now();
  ASSERT_TRUE(hostEnd.WriteAll(sent.data(), sent.size()));
  std::string got;
  while (got.size() < sent.size()) {
    pollfd p{device.Master(), POLLIN, 0};
    ASSERT_GT(poll(&p, 1, 2000), 0) << "the line stalled";
    char buffer[16];
    const ssize_t n = read(device.Master(), buffer, sizeof buffer);
    ASSERT_GT(n, 0);
    got.append(buffer, static_cast<std::size_t>(n));
  }
  EXPECT_EQ(got, sent);
  // Ten bytes of 10 bits at 9600 bit/s: 10.4 ms at the least.
  EXPECT_GE(Clock::now() - start, std::chrono::microseconds(10'400));
}

TEST(ChildProcess, TalksLineByLineAndOverridesTheEnvironment) {
  ChildProcess echo({"sh", "-c", "echo \"$KX14_BENCH_PROBE\"; exec cat"},
                    {"KX14_BENCH_PROBE=overridden"});
  EXPECT_EQ(echo.ReadLine(milliseconds(5000)), "overridden");
  EXPECT_EQ(echo.Request("hello", milliseconds(5000)), "hello");
}

TEST(ChildProcess, ProgramThatCannotStartIsAnError) {
  EXPECT_THROW(ChildProcess({"/nonexistent/kx14-peer"}), std::runtime_error);
}

TEST(PtyDrain, SignalsOnceTheExpectedBytesCame) {
  testing::PtyPair pty{testing::PtyPair::Line::kRaw};
  PtyDrain drain(pty.Master());
  drain.Expect(100'000);
  PlainPort writer(pty.SlavePath());
  const std::string data(100'000, 'x');
  ASSERT_TRUE(writer.WriteAll(data.data(), data.size()));
  pollfd done{drain.DoneFd(), POLLIN, 0};
  ASSERT_GT(poll(&done, 1, 5000), 0);
  EXPECT_TRUE(drain.Done());
}

}  // namespace
}  // namespace kx14::bench
