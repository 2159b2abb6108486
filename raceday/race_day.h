#pragma once

// A race: one watcher per adapter, each on its own thread, so a slow car on
// one adapter never holds up a car on another. Everything they do reaches
// the front end as one stream of events (race_event.h), and adds up to the
// race's progress (race_progress.h), which the front end may take at any
// moment. This header, race_event.h, race_progress.h, race_setup.h and
// port_tally.h are what a front end includes; the rest of raceday/ is the
// watchers' own.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "raceday/race_event.h"
#include "raceday/race_progress.h"
#include "raceday/race_setup.h"
#include "raceday/stop_signal.h"

namespace kx14::raceday {

class PortWatch;

class RaceDay {
 public:
  // Starts watching `ports` (names from the port list, or device paths; a
  // port absent now is waited for). The setup's roster, log, trace and
  // history, and `sink`, must outlive the race.
  RaceDay(RaceSetup setup, std::vector<std::string> ports, RaceEventSink& sink);
  // Stops as Stop does.
  ~RaceDay();
  RaceDay(const RaceDay&) = delete;
  RaceDay& operator=(const RaceDay&) = delete;

  // From now on no watcher takes a new car. A car being programmed is
  // finished, read back and reported first, so no device is ever left
  // half-written. Returns at once; each watcher ends with Stopped.
  void RequestStop();
  // Waits at most `patience` for every watcher to have ended (after
  // RequestStop, or each on something unforeseen): true when all have.
  bool WaitUntilEnded(std::chrono::milliseconds patience);
  // RequestStop, then waits for every watcher (a read or a car in hand takes
  // a few seconds at most). Not from the sink: it would wait for itself.
  void Stop();

  RaceProgress Progress() const;

 private:
  void Publish(RaceEvent event);
  void Watch(std::size_t adapter);

  const RaceSetup setup_;
  RaceEventSink& sink_;
  StopSignal stop_;
  mutable std::mutex mutex_;
  std::condition_variable ended_;
  RaceProgress progress_;
  std::size_t running_ = 0;  // watchers not ended yet
  std::vector<std::unique_ptr<PortWatch>> watches_;
  std::vector<std::thread> threads_;
};

}  // namespace kx14::raceday
