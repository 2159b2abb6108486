// Race day's pace: cars programmed per minute with 1, 2 and 4 simulated
// adapters, through the track-side window (kx14-trackside's Qt window on the
// offscreen platform, started with its own buttons) and through `kx14ctl
// watch` (the program, as a child), side by side in one run. Each adapter is
// a kx14-devsim at 9600 bit/s; the bench swaps its car for the next one as
// soon as the car's read-back has been answered, as a marshal would, so the
// time per car is the front end's and the wire's, never the bench's.
//
//   race_day_bench [cars per adapter]     (default 6)

#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench/child_process.h"
#include "bench/summary_line.h"
#include "temp_dir.h"
#include "ui/trackside/qt/trackside_window.h"
#include "ui/trackside/trackside_controls.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr auto kCarPatience = 20s;  // a car's three exchanges take well under a second

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "race_day_bench: %s\n", what.c_str());
  std::exit(1);
}

// The simulator's block for car `car` of adapter `adapter` (YOURID 0xAACC).
std::string CarBlock(int adapter, int car) {
  char block[64];
  std::snprintf(block, sizeof block, "5A 00 %02X %02X 00 00 02 00 00 00 00 00 00 05 03 51",
                adapter + 1, car);
  return block;
}

// One adapter: a paced simulator registered in the race's ports folder.
class Adapter {
 public:
  Adapter(const fs::path& configHome, int number)
      : number_(number),
        sim_({KX14_DEVSIM_PATH, "--pace", "9600", "--block", CarBlock(number, 0)},
             {"XDG_CONFIG_HOME=" + configHome.string()}) {
    for (auto line = sim_.ReadLine(10s); line; line = sim_.ReadLine(10s)) {
      if (line->starts_with("port ")) {
        port_ = line->substr(5, line->find(' ', 5) - 5);
        return;
      }
    }
    Fail("a simulator did not start");
  }
  const std::string& Port() const { return port_; }

  // Plays the marshal for `cars` cars: each car's read-back answered, the
  // next car (one this adapter never had) is put in. The time the last car
  // was done.
  Clock::time_point Serve(int cars) {
    Clock::time_point done{};
    for (int car = 1; car <= cars; ++car) {
      done = WaitForReadBack();
      if (car < cars) sim_.Send("block " + CarBlock(number_, ++lastCar_));
    }
    return done;
  }

 private:
  // Until a store, then the answer to the read that follows it.
  Clock::time_point WaitForReadBack() {
    bool stored = false;
    while (auto line = sim_.ReadLine(kCarPatience)) {
      if (line->starts_with("stored ")) stored = true;
      if (stored && line->starts_with("tx E5")) return Clock::now();
    }
    Fail("no car done on " + port_ + " within the patience");
  }

  int number_;
  int lastCar_ = 0;  // the number of the car on the adapter
  kx14::bench::ChildProcess sim_;
  std::string port_;
};

// Runs the adapters' marshals; the time from `start` to the last car done.
double RaceMillis(std::vector<std::unique_ptr<Adapter>>& adapters, int cars,
                  Clock::time_point start, const std::function<void()>& pump) {
  std::vector<Clock::time_point> done(adapters.size());
  std::vector<std::thread> marshals;
  std::atomic<std::size_t> finished{0};
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    marshals.emplace_back([&, i] {
      done[i] = adapters[i]->Serve(cars);
      ++finished;
    });
  }
  while (finished < adapters.size()) pump();
  for (std::thread& marshal : marshals) marshal.join();
  return Millis(*std::max_element(done.begin(), done.end()) - start).count();
}

template <class Widget>
Widget* Find(QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) Fail(std::string("the window has no ") + name);
  return widget;
}

// The window: level 3 for every car (no roster), the adapters ticked, Start.
double WindowRace(std::vector<std::unique_ptr<Adapter>>& adapters, const fs::path& configHome,
                  int cars) {
  using namespace kx14::trackside;
  // No history, as watch's --no-history: both measure the race alone.
  TracksideWindow window(
      {kx14::UserPortsDirectory(configHome.string(), "", ""), configHome / "no-sysfs"},
      std::nullopt, [](QWidget*, TFileChoice) { return std::nullopt; });
  window.show();
  Find<QComboBox>(window, controls::kOtherCars)->setCurrentIndex(6);
  auto* list = Find<QTableWidget>(window, controls::kAdapters);
  for (const auto& adapter : adapters) {
    const auto items = list->findItems(QString::fromStdString(adapter->Port()), Qt::MatchExactly);
    if (items.isEmpty()) Fail(adapter->Port() + " is not listed");
    items.front()->setCheckState(Qt::Checked);
  }
  const auto start = Clock::now();
  QTest::mouseClick(Find<QPushButton>(window, controls::kStart), Qt::LeftButton);
  const double millis = RaceMillis(adapters, cars, start, [] { QTest::qWait(5); });
  QTest::mouseClick(Find<QPushButton>(window, controls::kStop), Qt::LeftButton);
  window.close();
  if (!QTest::qWaitFor([&] { return !window.isVisible(); }, 10000))
    Fail("the window did not close");
  return millis;
}

double WatchRace(std::vector<std::unique_ptr<Adapter>>& adapters, const fs::path& configHome,
                 int cars) {
  std::vector<std::string> argv = {KX14CTL_PATH, "watch", "--level", "3", "--no-history"};
  for (const auto& adapter : adapters) {
    argv.push_back("--port");
    argv.push_back(adapter->Port());
  }
  const auto start = Clock::now();
  kx14::bench::ChildProcess watch(argv, {"XDG_CONFIG_HOME=" + configHome.string()});
  const double millis = RaceMillis(adapters, cars, start, [] { std::this_thread::sleep_for(5ms); });
  kill(watch.Pid(), SIGINT);  // as Ctrl+C; the destructor waits for it
  return millis;
}

// Per car and per minute, for both front ends on `count` adapters.
struct Pace {
  double windowMsPerCar = 0;
  double watchMsPerCar = 0;
};

Pace Measure(int count, int cars) {
  const kx14::testing::TempDir configHome;
  std::vector<std::unique_ptr<Adapter>> adapters;
  for (int i = 0; i < count; ++i)
    adapters.push_back(std::make_unique<Adapter>(configHome.path(), i));
  const double total = static_cast<double>(count * cars);
  Pace pace;
  pace.watchMsPerCar = WatchRace(adapters, configHome.path(), cars) / total;
  // The window's race begins with the cars the watch race left, which its
  // fresh watchers have never seen: each is programmed like a new one.
  pace.windowMsPerCar = WindowRace(adapters, configHome.path(), cars) / total;
  std::printf(
      "%d adapter(s), %d cars each: window %.0f ms a car (%.1f cars/min), "
      "kx14ctl watch %.0f ms a car (%.1f cars/min)\n",
      count, cars, pace.windowMsPerCar, 60000.0 / pace.windowMsPerCar, pace.watchMsPerCar,
      60000.0 / pace.watchMsPerCar);
  std::fflush(stdout);
  return pace;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int cars = argc > 1 ? std::atoi(argv[1]) : 6;
  if (cars < 2) Fail("at least 2 cars per adapter");
  std::vector<std::pair<int, Pace>> paces;
  for (const int count : {1, 2, 4}) paces.emplace_back(count, Measure(count, cars));

  const Pace& one = paces.front().second;
  const Pace& four = paces.back().second;
  using kx14::bench::Summary;
  const double speedup = one.windowMsPerCar / four.windowMsPerCar;
  kx14::bench::PrintSummary(Summary{"race_day_4_adapters_vs_1", "x", speedup, 1.0, std::nullopt,
                                    std::nullopt, ">=3.6x_floor", speedup >= 3.6});
  for (const auto& [count, pace] : paces) {
    const double ratio = pace.windowMsPerCar / pace.watchMsPerCar;
    kx14::bench::PrintSummary(Summary{"race_day_window_ms_per_car_" + std::to_string(count), "ms",
                                      pace.windowMsPerCar, pace.watchMsPerCar, std::nullopt,
                                      std::nullopt, "<=1.1x_floor", ratio <= 1.1});
  }
  return 0;
}
