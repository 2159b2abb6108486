// Bulk write: 1 MiB through Write and the transmit worker against a plain
// blocking write loop, each on a pty of its own whose master a thread drains
// as fast as it can. The time runs from the first write to the last byte
// read at the far end; rounds alternate so both see the same load. The
// component keeps its defaults (chunks of BufLenTrans = 2048 bytes, at most
// 32 in flight).
//
// A third series, for the analysis only: the plain loop writing the
// component's 2048-byte chunks one call each.
//
//   bulk_write_bench [rounds]     (default 15)

#include <poll.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/ours_and_floor.h"
#include "bench/plain_port.h"
#include "bench/pty_drain.h"
#include "bench/summary_line.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"

namespace {

using namespace kx14;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::size_t kBytes = 1 << 20;
constexpr double kTargetShare = 0.8;
constexpr double kStallSeconds = 30.0;
constexpr std::size_t kComponentChunk = 2048;  // BufLenTrans' default

std::vector<char> Payload() {
  std::vector<char> data(kBytes);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 131 + 7);
  return data;
}

void Fail(const char* what) {
  std::fprintf(stderr, "bulk_write_bench: %s\n", what);
  std::exit(1);
}

// MiB/s of one megabyte through the component.
double OursOnce(TCommX& comm, PollMessagePump& pump, bench::PtyDrain& drain,
                const std::vector<char>& data) {
  drain.Expect(data.size());
  const auto start = Clock::now();
  if (!comm.Write(data.data(), static_cast<std::int32_t>(data.size()))) Fail("Write failed");
  // Window messages keep running while the last chunks go out, as they would
  // in the window.
  while (!drain.Done()) {
    if (Seconds(Clock::now() - start).count() > kStallSeconds) Fail("ours stalled");
    pump.WaitReadable(kx14::WaitObject{drain.DoneFd()}, std::chrono::milliseconds(100));
  }
  return 1.0 / Seconds(Clock::now() - start).count();
}

// A plain write loop handing the kernel `piece` bytes per call.
double PlainOnce(bench::PlainPort& port, bench::PtyDrain& drain, const std::vector<char>& data,
                 std::size_t piece) {
  drain.Expect(data.size());
  const auto start = Clock::now();
  for (std::size_t done = 0; done < data.size(); done += piece) {
    const std::size_t n = std::min(piece, data.size() - done);
    if (!port.WriteAll(data.data() + done, n)) Fail("plain write failed");
  }
  pollfd done{drain.DoneFd(), POLLIN, 0};
  while (!drain.Done()) {
    if (Seconds(Clock::now() - start).count() > kStallSeconds) Fail("plain stalled");
    poll(&done, 1, 100);
  }
  return 1.0 / Seconds(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  const std::vector<char> data = Payload();

  bench::OursAndFloor<bench::PtyDrain> line;

  std::vector<double> ours;
  std::vector<double> floor;
  std::vector<double> chunked;
  OursOnce(line.comm, line.pump, line.oursFarEnd, data);  // warm-up
  PlainOnce(line.plain, line.plainFarEnd, data, data.size());
  for (int i = 0; i < rounds; ++i) {
    ours.push_back(OursOnce(line.comm, line.pump, line.oursFarEnd, data));
    floor.push_back(PlainOnce(line.plain, line.plainFarEnd, data, data.size()));
    chunked.push_back(PlainOnce(line.plain, line.plainFarEnd, data, kComponentChunk));
  }
  line.comm.Close();

  const double oursMedian = bench::Percentile(ours, 0.5);
  const double floorMedian = bench::Percentile(floor, 0.5);
  std::printf(
      "bulk_write: 1 MiB x %d rounds; ours median %.1f MiB/s; plain write loop %.1f MiB/s, "
      "the same loop in the component's %zu-byte chunks %.1f MiB/s\n",
      rounds, oursMedian, floorMedian, kComponentChunk, bench::Percentile(chunked, 0.5));
  bench::PrintSummary({"bulk_write", "MiB/s", oursMedian, floorMedian, std::nullopt, std::nullopt,
                       ">=0.8x_floor", oursMedian >= kTargetShare * floorMedian});
  return 0;
}
