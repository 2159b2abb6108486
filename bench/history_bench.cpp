// What a store pays for its history entry: whole Program operations (the
// preliminary read and the store) at 9600 bit/s against the simulator, with
// the history's recorder on the exchange link as the window and kx14ctl have
// it. The time spent inside the recorder's calls (the pending entry written
// and renamed into place before the frame goes out, the result handed to the
// worker) is timed per store, beside the store's own time. Putting entries on
// the disk and pruning happen on the writer's worker, off the store's path,
// as they do in the programs.
//
//   history_bench [runs] [kx14-devsim path]     (default 100)

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/latency_stats.h"
#include "bench/ours_and_floor.h"
#include "bench/paced_device.h"
#include "bench/summary_line.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "history/store_recorder.h"
#include "protocol/device_operations.h"
#include "temp_dir.h"
#include "timed_device_view.h"

namespace {

using namespace kx14;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

// Passes every event on to the recorder and adds up the time spent there.
class TimedObserver final : public TExchangeObserver {
 public:
  explicit TimedObserver(TExchangeObserver& next) : next_(next) {}
  void FrameSent(const ByteString& command) override {
    Time([&] { next_.FrameSent(command); });
  }
  void FrameReceived(const ByteString& reply) override {
    Time([&] { next_.FrameReceived(reply); });
  }
  void ReplyMissing(int expected, int received) override {
    Time([&] { next_.ReplyMissing(expected, received); });
  }
  double TakeMs() { return std::exchange(spentMs_, 0.0); }

 private:
  template <typename Call>
  void Time(Call call) {
    const auto start = Clock::now();
    call();
    spentMs_ += Millis(Clock::now() - start).count();
  }
  TExchangeObserver& next_;
  double spentMs_ = 0.0;
};

constexpr long kBaud = 9600;
constexpr double kTargetPercent = 5.0;  // of the store's median time

}  // namespace

int main(int argc, char** argv) {
  signal(SIGPIPE, SIG_IGN);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  const std::string devsim = argc > 2 ? argv[2] : KX14_DEVSIM_PATH;

  testing::TempDir folder;
  history::THistoryWriter writer(folder.path() / "history", [](const std::string& failure) {
    std::fprintf(stderr, "history_bench: %s\n", failure.c_str());
    std::exit(1);
  });
  history::TStoreRecorder recorder(writer, {"history_bench", "", "Program", "bench"}, nullptr);
  TimedObserver timed(recorder);

  bench::PacedDevice device(devsim, kBaud);
  PollMessagePump pump;
  TCommX comm(pump);
  bench::OpenLikeTheWindow(comm, device.HostPath());
  testing::TimedDeviceView view(comm, pump);
  view.SetObserver(&timed);
  TDeviceOperations operations(view);

  std::vector<double> stores;
  std::vector<double> entries;
  for (int i = 0; i <= runs; ++i) {
    const auto pressed = Clock::now();
    if (operations.Program() != TOperationOutcome::ooProgramSucceeded) {
      std::fprintf(stderr, "history_bench: the store failed (%s)\n", view.Information().c_str());
      return 1;
    }
    const double store = Millis(view.InformationShownAt() - pressed).count();
    const double entry = timed.TakeMs();
    device.DiscardLog();
    if (i == 0) continue;  // warm-up
    stores.push_back(store);
    entries.push_back(entry);
  }
  comm.Close();
  writer.Drain();

  const bench::LatencyStats s = bench::Summarise(stores);
  const bench::LatencyStats e = bench::Summarise(entries);
  const double percent = 100.0 * e.median / s.median;
  std::printf(
      "history_entry: store at %ld bit/s median %.2f ms, p99 %.2f ms; its history entry median "
      "%.3f ms, p99 %.3f ms (%zu stores); %.2f %% of the store (p99 %.2f %%)\n",
      kBaud, s.median, s.p99, e.median, e.p99, e.count, percent, 100.0 * e.p99 / s.median);
  bench::PrintSummary({"history_entry", "ms", e.median, s.median, std::nullopt, std::nullopt,
                       "<=5%_store", percent <= kTargetPercent});
  return 0;
}
