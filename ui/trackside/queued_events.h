#pragma once

// The window's end of a race's event stream: the watchers' threads leave
// their events here and return at once; the window's thread takes them on
// its timer, so no control is ever touched from a watcher's thread.

#include <mutex>
#include <vector>

#include "raceday/race_event.h"

namespace kx14::trackside {

class QueuedEvents final : public raceday::RaceEventSink {
 public:
  void OnEvent(const raceday::RaceEvent& event) override;
  // Every event left since the last call, in the order they arrived.
  std::vector<raceday::RaceEvent> TakeAll();

 private:
  std::mutex mutex_;
  std::vector<raceday::RaceEvent> events_;
};

}  // namespace kx14::trackside
