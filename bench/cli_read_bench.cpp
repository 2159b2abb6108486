// `kx14ctl read` as a whole process against the simulator at 9600 bit/s
// (kx14-devsim --pace 9600 behind the paced line model): the wall time from
// starting the process to its exit, less what no implementation can avoid
// here: the serial component's own pauses when it opens and closes a port
// (100 ms, then 100 + 200 ms) and the 19 bytes on the wire (19.8 ms). The
// floor beside it is a process that starts and ends without a port
// (`kx14ctl --version`).
//
//   cli_read_bench [runs] [kx14ctl path] [kx14-devsim path]     (default 20)

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/paced_device.h"
#include "bench/summary_line.h"

extern char** environ;

namespace {

using namespace kx14;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr long kBaud = 9600;
constexpr int kReadBytes = 19;  // E5 out, 18 bytes back
constexpr double kComponentPausesMs = 100.0 + 100.0 + 200.0;
constexpr double kTargetMs = 15.0;

// Runs the program to its end with its output discarded; the wall time.
double TimeProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cli_read_bench: cannot start %s\n", argv[0]);
    std::exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double ms = Millis(Clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "cli_read_bench: %s failed\n", args.at(1).c_str());
    std::exit(1);
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const std::string ctl = argc > 2 ? argv[2] : KX14CTL_PATH;
  const std::string devsim = argc > 3 ? argv[3] : KX14_DEVSIM_PATH;

  bench::PacedDevice device(devsim, kBaud);
  TimeProcess({ctl, "read", "--port", device.HostPath()});  // warm-up
  std::vector<double> beyond;
  std::vector<double> bare;
  const double wire = bench::WireMs(kReadBytes, kBaud);
  for (int i = 0; i < runs; ++i) {
    const double whole = TimeProcess({ctl, "read", "--port", device.HostPath()});
    beyond.push_back(whole - kComponentPausesMs - wire);
    bare.push_back(TimeProcess({ctl, "--version"}));
    device.DiscardLog();
  }
  const bench::LatencyStats ours = bench::Summarise(beyond);
  const bench::LatencyStats floor = bench::Summarise(bare);
  std::printf(
      "cli_read: kx14ctl read, whole process, median %.1f ms beyond the component's pauses "
      "(%.0f ms) and the wire (%.1f ms), p99 %.1f ms (%zu runs); kx14ctl --version median %.1f "
      "ms\n",
      ours.median, kComponentPausesMs, wire, ours.p99, ours.count, floor.median);
  bench::PrintSummary({"cli_read", "ms", ours.median, floor.median, std::nullopt, std::nullopt,
                       "<=15ms", ours.median <= kTargetMs});
  return 0;
}
