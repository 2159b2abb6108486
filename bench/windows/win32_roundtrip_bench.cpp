// The read exchange's round trip (1 byte out, 18 back) under Wine against the
// simulator: through the component (PurgeReceive, WriteString, Read), each
// step timed on its own too, beside plain overlapped loops on the same port
// in the same run: the floor (one WriteFile, one 18-byte ReadFile) and the
// floor with the component's Win32 habits added one at a time, which shows
// what Wine itself charges for each. The loops take turns in blocks. The port comes from
// KX14_WINE_COM (scripts/windows-test.sh --bench); KX14_BENCH_ROUNDS sets the rounds.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/summary_line.h"
#include "bench/windows/win32_plain_loops.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "ports/com_ports.h"

namespace {

using Clock = std::chrono::steady_clock;
using kx14::bench::LatencyStats;
using kx14::bench::Summarise;
constexpr int kWarmUp = 5;
constexpr int kDefaultRounds = 600;
// The loops take turns in blocks of this many rounds, so that the load of
// a shared machine, which changes over a run, weighs on each alike.
constexpr int kBlock = 50;
constexpr double kTarget = 1.3;

double Micros(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

struct ComponentSamples {
  std::vector<double> total, purge, write, read;
};

// One block of component round trips, appended to `samples`.
void ComponentRoundTrips(int portNo, int rounds, ComponentSamples& samples) {
  kx14::PollMessagePump pump;
  kx14::TCommX comm(pump);
  comm.SetPortResolver(kx14::ResolveMachinePort);
  comm.SetPortNo(portNo);
  comm.SetFlowCtrl(kx14::TCommFlowCtrls::cfcNone);
  comm.Open();
  char reply[18];
  for (int i = 0; i < kWarmUp + rounds; ++i) {
    const auto start = Clock::now();
    comm.PurgeReceive();
    const auto purged = Clock::now();
    comm.WriteString("\xE5");
    const auto written = Clock::now();
    const std::int32_t n = comm.Read(reply, 18);
    const auto end = Clock::now();
    if (n != 18) std::fprintf(stderr, "component: short reply %d\n", n);
    if (i < kWarmUp) continue;
    samples.total.push_back(Micros(end - start));
    samples.purge.push_back(Micros(purged - start));
    samples.write.push_back(Micros(written - purged));
    samples.read.push_back(Micros(end - written));
  }
  comm.Close();
}

void Row(const char* what, const LatencyStats& stats, double floor) {
  std::printf("  %-44s median %6.0f us  p99 %6.0f us  %5.2fx\n", what, stats.median, stats.p99,
              floor > 0 ? stats.median / floor : 0.0);
}

}  // namespace

int main() {
  const char* com = std::getenv("KX14_WINE_COM");
  if (com == nullptr) {
    std::fprintf(stderr, "KX14_WINE_COM not set (run by scripts/windows-test.sh --bench)\n");
    return 2;
  }
  const char* roundsText = std::getenv("KX14_BENCH_ROUNDS");
  const int rounds = roundsText != nullptr ? std::atoi(roundsText) : kDefaultRounds;
  const int portNo = std::atoi(com + 3);
  const std::string device = std::string("\\\\.\\") + com;
  using Options = kx14::bench::PlainLoopOptions;

  const Options plainOptions[] = {
      {}, {.lookahead = true}, {.eventWait = true}, {.lookahead = true, .eventWait = true}};
  ComponentSamples ours;
  std::vector<double> plainSamples[std::size(plainOptions)];
  for (int done = 0; done < rounds; done += kBlock) {
    const int block = std::min(kBlock, rounds - done);
    ComponentRoundTrips(portNo, block, ours);
    for (std::size_t i = 0; i < std::size(plainOptions); ++i) {
      const auto more = kx14::bench::PlainRoundTrips(device, plainOptions[i], kWarmUp, block);
      plainSamples[i].insert(plainSamples[i].end(), more.begin(), more.end());
    }
  }
  const auto plain = Summarise(plainSamples[0]);
  const auto ahead = Summarise(plainSamples[1]);
  const auto events = Summarise(plainSamples[2]);
  const auto both = Summarise(plainSamples[3]);
  const auto total = Summarise(ours.total);

  std::printf("wine round trip, %d rounds (ratio to the plain loop's median):\n", rounds);
  Row("component: PurgeReceive + WriteString + Read", total, plain.median);
  Row("  of which PurgeReceive", Summarise(ours.purge), plain.median);
  Row("  of which WriteString", Summarise(ours.write), plain.median);
  Row("  of which Read", Summarise(ours.read), plain.median);
  Row("plain: WriteFile + one 18-byte ReadFile", plain, plain.median);
  Row("plain + one-byte look-ahead read", ahead, plain.median);
  Row("plain + comm-event wait in flight", events, plain.median);
  Row("plain + look-ahead + comm-event wait", both, plain.median);

  kx14::bench::Summary summary;
  summary.measure = "wine_roundtrip_median";
  summary.unit = "us";
  summary.ours = total.median;
  summary.floor = plain.median;
  summary.target = "<=1.3x_floor";
  summary.met = plain.median > 0 && total.median <= kTarget * plain.median;
  kx14::bench::PrintSummary(summary);
  summary.measure = "wine_roundtrip_p99";
  summary.ours = total.p99;
  summary.floor = plain.p99;
  summary.met = plain.p99 > 0 && total.p99 <= kTarget * plain.p99;
  kx14::bench::PrintSummary(summary);
  // What the component adds to the Win32 calls it makes (Wine's own cost of
  // those calls is the gap between this floor and the plain one).
  summary.measure = "wine_roundtrip_median_vs_same_calls";
  summary.ours = total.median;
  summary.floor = both.median;
  summary.target = "<=1.3x_same_calls";
  summary.met = both.median > 0 && total.median <= kTarget * both.median;
  kx14::bench::PrintSummary(summary);
  return 0;
}
