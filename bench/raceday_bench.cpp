// Race day's pace: cars programmed per minute with 1, 2 and 4 adapters, by
// `kx14ctl watch` and by the track-side window (TracksideWindow on the
// offscreen platform), one after the other in the same run. Each adapter is
// a kx14-devsim at 9600 bit/s; a car is done when the device has stored its
// block and answered the read-back, and the bench then plugs the next car
// into that adapter (a block with other identifiers), as a marshal would.
// Each adapter's time runs from its first car's store to its last car's
// read-back, so both front ends are measured by the same clock and the same
// simulators, and neither one's start-up counts.
//
//   raceday_bench [cars per adapter]     (default 12)

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/child_process.h"
#include "bench/summary_line.h"
#include "devsim_process.h"
#include "protocol/handicap_preset.h"
#include "temp_dir.h"
#include "ui/trackside/qt/trackside_window.h"
#include "ui/trackside/trackside_controls.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;
using kx14::testing::DevsimProcess;

constexpr auto kCarPatience = 20s;  // one car, whatever the front end does
constexpr auto kSimulatorStart = 10s;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "raceday_bench: %s\n", what.c_str());
  std::exit(1);
}

// The worked example's block with identifiers of its own for each car
// (YOURID adapter*1000+car, MYID 1): a new car for the watcher.
std::string CarBlock(int adapter, int car) {
  const int yourId = adapter * 1000 + car + 1;
  char text[64];
  std::snprintf(text, sizeof text, "5A %02X %02X %02X 00 00 01 00 00 00 00 00 00 05 03 51",
                (yourId >> 16) & 0xFF, (yourId >> 8) & 0xFF, yourId & 0xFF);
  return text;
}

// One adapter with its car: a simulator, and where its frame log has been
// read up to.
struct Adapter {
  std::unique_ptr<DevsimProcess> sim;
  std::string com;
  std::string tty;
  std::size_t seen = 0;
  bool stored = false;       // the current car's block is stored
  bool readAsked = false;    // and a read has arrived since
  bool readBack = false;     // and been answered: the car is done
  int carsDone = 0;
  std::optional<Clock::time_point> firstStore;
  Clock::time_point lastCarDone;
};

// The simulators of one round, registered in a ports folder of their own.
class Adapters {
 public:
  explicit Adapters(int count) {
    for (int i = 0; i < count; ++i) {
      Adapter adapter;
      adapter.sim = std::make_unique<DevsimProcess>(
          KX14_DEVSIM_PATH, config_.path(),
          std::vector<std::string>{"--pace", "9600", "--block", CarBlock(i, 0)});
      std::istringstream words(adapter.sim->WaitForLine("port ", kSimulatorStart).value_or(""));
      std::string keyword;
      words >> keyword >> adapter.com >> adapter.tty;
      if (adapter.tty.empty()) Fail("a simulator did not start");
      adapters_.push_back(std::move(adapter));
    }
  }

  const fs::path& ConfigHome() const { return config_.path(); }
  std::vector<Adapter>& All() { return adapters_; }

  // Reads what each simulator logged and plugs the next car into an adapter
  // whose car is done, until every adapter has done `carsPerAdapter` cars;
  // `pump` runs between reads (the window's events). Gives the cars per
  // minute of all adapters together, each adapter's counted from its first
  // store to its last car, so that neither front end's start-up counts.
  double Race(int carsPerAdapter, const std::function<void()>& pump) {
    auto deadline = Clock::now() + kCarPatience;
    while (!AllDone(carsPerAdapter)) {
      if (Clock::now() > deadline) Fail("a car was not programmed in time");
      for (std::size_t i = 0; i < adapters_.size(); ++i) {
        if (Follow(adapters_[i], static_cast<int>(i), carsPerAdapter)) {
          deadline = Clock::now() + kCarPatience;
        }
      }
      pump();
    }
    double perMinute = 0;
    for (const Adapter& adapter : adapters_) {
      const Seconds span = adapter.lastCarDone - *adapter.firstStore;
      if (span.count() > 0) perMinute += 60.0 * (carsPerAdapter - 1) / span.count();
    }
    return perMinute;
  }

 private:
  // Reads the adapter's new log lines; true when its car is done (and the
  // next one plugged in).
  bool Follow(Adapter& adapter, int index, int carsPerAdapter) {
    adapter.sim->ReadLine(2ms);
    for (; adapter.seen < adapter.sim->Lines().size(); ++adapter.seen) {
      const std::string& line = adapter.sim->Lines()[adapter.seen];
      if (line.starts_with("stored ")) {
        adapter.stored = true;
        if (!adapter.firstStore) adapter.firstStore = Clock::now();
      } else if (adapter.stored && line.starts_with("rx ")) {
        adapter.readAsked = true;
      } else if (adapter.readAsked && line.starts_with("tx ")) {
        adapter.readBack = true;
      }
    }
    if (!adapter.readBack || adapter.carsDone >= carsPerAdapter) return false;
    adapter.lastCarDone = Clock::now();
    adapter.stored = adapter.readAsked = adapter.readBack = false;
    if (++adapter.carsDone < carsPerAdapter) {
      adapter.sim->Send("block " + CarBlock(index, adapter.carsDone) + "\n");
    }
    return true;
  }

  bool AllDone(int carsPerAdapter) const {
    return std::all_of(adapters_.begin(), adapters_.end(),
                       [&](const Adapter& a) { return a.carsDone >= carsPerAdapter; });
  }

  kx14::testing::TempDir config_;  // declared first: outlives the simulators
  std::vector<Adapter> adapters_;
};

double WatchRate(int adapterCount, int carsPerAdapter) {
  Adapters adapters(adapterCount);
  std::vector<std::string> argv{KX14CTL_PATH, "--quiet", "watch", "--level", "3"};
  for (const Adapter& adapter : adapters.All()) {
    argv.insert(argv.end(), {"--port", adapter.tty});
  }
  kx14::bench::ChildProcess watch(
      argv, {"KX14_HISTORY_DIR=" + (adapters.ConfigHome() / "history").string()});
  // watch's own lines are read as they come, so that its pipe never fills.
  return adapters.Race(carsPerAdapter, [&] {
    while (watch.ReadLine(0ms)) {
    }
  });
}

int ChoiceOfLevel3() {
  const auto* found = std::find(kx14::kHandicapPresets.begin(), kx14::kHandicapPresets.end(),
                                kx14::THandicapPreset::Handy3);
  return 1 + static_cast<int>(found - kx14::kHandicapPresets.begin());  // 0 skips
}

double WindowRate(int adapterCount, int carsPerAdapter) {
  namespace names = kx14::trackside::controls;
  Adapters adapters(adapterCount);
  const fs::path& home = adapters.ConfigHome();
  kx14::trackside::TracksideWindow window(
      kx14::PortSources{kx14::UserPortsDirectory(home.string(), "", ""), home / "no-sysfs"},
      home / "history");
  window.show();
  window.findChild<QComboBox*>(names::kOtherCars)->setCurrentIndex(ChoiceOfLevel3());
  auto* list = window.findChild<QTableWidget*>(names::kAdapters);
  for (const Adapter& adapter : adapters.All()) {
    const auto found = list->findItems(QString::fromStdString(adapter.com), Qt::MatchExactly);
    if (found.isEmpty()) Fail(adapter.com + " is not listed in the window");
    found.front()->setCheckState(Qt::Checked);
  }
  window.findChild<QPushButton*>(names::kStart)->click();
  return adapters.Race(carsPerAdapter, [] { QApplication::processEvents(); });
}

void PrintRound(const char* frontEnd, int adapters, double rate) {
  std::printf("race day, %s, %d adapter(s): %.0f cars/min, a car every %.0f ms\n", frontEnd, adapters,
              rate, rate > 0 ? 60000.0 / rate : 0.0);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
  const int carsPerAdapter = argc > 1 ? std::max(2, std::atoi(argv[1])) : 12;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  constexpr int kRounds[] = {1, 2, 4};
  double watchRates[3] = {};
  double windowRates[3] = {};
  for (int i = 0; i < 3; ++i) {
    watchRates[i] = WatchRate(kRounds[i], carsPerAdapter);
    PrintRound("kx14ctl watch", kRounds[i], watchRates[i]);
    windowRates[i] = WindowRate(kRounds[i], carsPerAdapter);
    PrintRound("track-side window", kRounds[i], windowRates[i]);
  }

  using kx14::bench::PrintSummary;
  PrintSummary({"raceday_window_4_adapters_vs_1", "cars/min", windowRates[2], windowRates[0],
                std::nullopt, std::nullopt, ">=3.6x_floor",
                windowRates[2] >= 3.6 * windowRates[0]});
  PrintSummary({"raceday_watch_4_adapters_vs_1", "cars/min", watchRates[2], watchRates[0],
                std::nullopt, std::nullopt, ">=3.6x_floor", watchRates[2] >= 3.6 * watchRates[0]});
  for (int i = 0; i < 3; ++i) {
    PrintSummary({"raceday_window_vs_watch_" + std::to_string(kRounds[i]) + "_adapters",
                  "cars/min", windowRates[i], watchRates[i], std::nullopt, std::nullopt,
                  ">=0.9x_floor", windowRates[i] >= 0.9 * watchRates[i]});
  }
  return 0;
}
