// The race-day core in process, against kx14-devsim processes: the events a
// front end renders and the progress they add up to, for a store the device
// refuses, a stop while a car is being programmed, and an adapter pulled and
// plugged back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

#include "files/watch_log.h"
#include "devsim_process.h"
#include "raceday/race_day.h"
#include "temp_dir.h"

namespace kx14::raceday {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using Kind = TRaceEventKind;

constexpr auto kPatience = 15000ms;  // a silent device alone takes 3 s per read

// Every event of a race, kept for the test to wait on and look at.
class EventLog final : public RaceEventSink {
 public:
  void OnEvent(const RaceEvent& event) override {
    {
      const std::lock_guard lock(mutex_);
      events_.push_back(event);
    }
    arrived_.notify_all();
  }

  // Waits until `count` events of `kind` have arrived; the last of them.
  std::optional<RaceEvent> WaitFor(Kind kind, std::size_t count = 1) {
    std::unique_lock lock(mutex_);
    std::optional<RaceEvent> found;
    arrived_.wait_for(lock, kPatience, [&] {
      std::size_t seen = 0;
      for (const RaceEvent& event : events_) {
        if (event.kind == kind && ++seen == count) found = event;
      }
      return found.has_value();
    });
    return found;
  }

  std::vector<Kind> Kinds() const {
    const std::lock_guard lock(mutex_);
    std::vector<Kind> kinds;
    for (const RaceEvent& event : events_) kinds.push_back(event.kind);
    return kinds;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<RaceEvent> events_;
};

class RaceDayEvents : public ::testing::Test {
 protected:
  // Starts a simulated car on an adapter of its own; its COM name.
  std::string StartCar(const std::vector<std::string>& args = {}) {
    sim_.emplace(KX14_DEVSIM_PATH, temp_.path(), args);
    const auto line = sim_->WaitForLine("port ", kPatience);
    EXPECT_TRUE(line.has_value()) << "no port line";
    std::istringstream words(line.value_or(""));
    std::string keyword;
    std::string port;
    words >> keyword >> port;
    return port;
  }

  // The simulator's ports only, every car given `level`.
  RaceSetup SetupFor(THandicapPreset level) const {
    RaceSetup setup;
    setup.sources = {UserPortsDirectory(temp_.path().string(), "", ""), temp_.path() / "no-sysfs"};
    setup.level = level;
    return setup;
  }

  testing::TempDir temp_;
  std::optional<testing::DevsimProcess> sim_;
  EventLog events_;
};

TEST_F(RaceDayEvents, ARefusedStoreFailsWithItsReasonIsNeverProgrammedAndItsLostRowIsSaid) {
  const std::string port = StartCar({"--refuse"});
  cli::WatchLog log("/dev/full");
  RaceSetup setup = SetupFor(THandicapPreset::Handy3);
  setup.log = &log;
  RaceDay race(setup, {port}, events_);

  const auto lost = events_.WaitFor(Kind::LogRowLost);
  ASSERT_TRUE(lost.has_value());
  EXPECT_FALSE(lost->reason.empty());
  race.RequestStop();
  ASSERT_TRUE(race.WaitUntilEnded(kPatience));
  EXPECT_THAT(events_.Kinds(), ElementsAre(Kind::AdapterReady, Kind::CarFound, Kind::Failed,
                                           Kind::LogRowLost, Kind::Stopped));
  const auto failed = events_.WaitFor(Kind::Failed);
  ASSERT_TRUE(failed.has_value());
  EXPECT_NE(failed->car.result.find("did not acknowledge the store"), std::string::npos)
      << failed->car.result;
  EXPECT_EQ(failed->car.newLevel, "3");

  const RaceProgress progress = race.Progress();
  EXPECT_EQ(progress.tallies[0].Count(cli::TCarOutcome::Failed), 1);
  EXPECT_EQ(progress.logRowsLost, 1);
  EXPECT_EQ(progress.logRowsWritten, 0);
  EXPECT_EQ(log.RowsLost(), 1);
}

// Each reply comes late, so the car found is still being programmed when the
// stop is asked for: it is stored, read back and reported before the
// watcher ends, and nothing else is begun.
TEST_F(RaceDayEvents, StopLetsTheCarBeingProgrammedFinishFirst) {
  const std::string port = StartCar({"--delay", "700"});
  RaceDay race(SetupFor(THandicapPreset::Handy2), {port}, events_);
  ASSERT_TRUE(events_.WaitFor(Kind::CarFound));

  race.RequestStop();
  EXPECT_FALSE(race.WaitUntilEnded(0ms)) << "the car in hand still has three replies to wait for";
  ASSERT_TRUE(race.WaitUntilEnded(kPatience));
  EXPECT_THAT(events_.Kinds(), ElementsAre(Kind::AdapterReady, Kind::CarFound, Kind::Programmed,
                                           Kind::Verified, Kind::Stopped));
  EXPECT_TRUE(sim_->WaitForLine("stored ", kPatience));
  const RaceProgress progress = race.Progress();
  EXPECT_EQ(progress.statuses[0].state, TPortState::Stopped);
  EXPECT_EQ(progress.statuses[0].reason, "");
  EXPECT_EQ(progress.tallies[0].Count(cli::TCarOutcome::Programmed), 1);
}

TEST_F(RaceDayEvents, AnAdapterPulledAndPluggedBackIsGoneThenReadyAndItsCarNotCountedAgain) {
  const std::string port = StartCar();
  RaceDay race(SetupFor(THandicapPreset::Handy2), {port}, events_);
  ASSERT_TRUE(events_.WaitFor(Kind::Verified));

  sim_->Send("unregister\n");
  ASSERT_TRUE(events_.WaitFor(Kind::AdapterGone));
  EXPECT_EQ(race.Progress().statuses[0].state, TPortState::AdapterGone);
  sim_->Send("register\n");
  ASSERT_TRUE(events_.WaitFor(Kind::CarReturned));

  race.RequestStop();
  ASSERT_TRUE(race.WaitUntilEnded(kPatience));
  EXPECT_THAT(events_.Kinds(), ElementsAre(Kind::AdapterReady, Kind::CarFound, Kind::Programmed,
                                           Kind::Verified, Kind::CarUnplugged, Kind::AdapterGone,
                                           Kind::AdapterReady, Kind::CarReturned, Kind::Stopped));
  EXPECT_EQ(race.Progress().tallies[0].cars.size(), 1u);
}

}  // namespace
}  // namespace kx14::raceday
