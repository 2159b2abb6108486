// Start-up: the time from launching kx14-manager to the first frame drawn
// into its window on the X display (and, for context, to the window being
// mapped), and its peak memory once the window is up, against a bare Qt
// window of the same size and font started the same way. Launches alternate
// between the two; medians of each. The first frame is what the user sees: a
// program can map its window before it has laid out a single line of text,
// as the bare window does, and pay for its fonts after the map.
//
//   startup_bench [runs] [kx14-manager path] [bare window path]   (default 20)
// Needs $DISPLAY; scripts/bench.sh runs it on a private Xvfb.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/summary_line.h"
#include "bench/window_launch.h"

namespace {

constexpr auto kSettle = std::chrono::milliseconds(300);
constexpr auto kTimeout = std::chrono::seconds(20);
constexpr double kTimeTarget = 1.25;
constexpr double kMemoryTarget = 1.2;

struct Series {
  std::vector<double> mappedMs;
  std::vector<double> shownMs;
  std::vector<double> peakMiB;
};

void LaunchInto(kx14::bench::WindowLauncher& launcher, const std::string& program, Series& series) {
  const auto result = launcher.Launch(program, kSettle, kTimeout);
  if (!result) {
    std::fprintf(stderr, "startup_bench: %s showed no window\n", program.c_str());
    std::exit(1);
  }
  series.mappedMs.push_back(result->mappedMs);
  series.shownMs.push_back(result->shownMs);
  series.peakMiB.push_back(result->peakMemoryMiB);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  const std::string ours = argc > 2 ? argv[2] : KX14_MANAGER_PATH;
  const std::string bare = argc > 3 ? argv[3] : KX14_BARE_WINDOW_PATH;

  kx14::bench::WindowLauncher launcher;
  Series warmUp;  // both binaries and their libraries into the page cache
  LaunchInto(launcher, ours, warmUp);
  LaunchInto(launcher, bare, warmUp);
  Series oursSeries;
  Series bareSeries;
  for (int i = 0; i < runs; ++i) {
    LaunchInto(launcher, ours, oursSeries);
    LaunchInto(launcher, bare, bareSeries);
  }

  using kx14::bench::Summarise;
  const auto oursTime = Summarise(oursSeries.shownMs);
  const auto bareTime = Summarise(bareSeries.shownMs);
  const auto oursMapped = Summarise(oursSeries.mappedMs);
  const auto bareMapped = Summarise(bareSeries.mappedMs);
  const auto oursPeak = Summarise(oursSeries.peakMiB);
  const auto barePeak = Summarise(bareSeries.peakMiB);
  std::printf(
      "startup: %d launches each; first frame after median %.1f ms (p99 %.1f) vs bare "
      "%.1f ms (p99 %.1f); window mapped after median %.1f ms vs bare %.1f ms (ratio %.2f); "
      "VmHWM median %.1f MiB vs bare %.1f MiB\n",
      runs, oursTime.median, oursTime.p99, bareTime.median, bareTime.p99, oursMapped.median,
      bareMapped.median, oursMapped.median / bareMapped.median, oursPeak.median,
      barePeak.median);
  kx14::bench::PrintSummary({"startup_time", "ms", oursTime.median, bareTime.median, std::nullopt,
                             std::nullopt, "<=1.25x_bare",
                             oursTime.median <= kTimeTarget * bareTime.median});
  kx14::bench::PrintSummary({"startup_memory", "MiB", oursPeak.median, barePeak.median,
                             std::nullopt, std::nullopt, "<=1.2x_bare",
                             oursPeak.median <= kMemoryTarget * barePeak.median});
  return 0;
}
