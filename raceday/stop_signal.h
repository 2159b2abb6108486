#pragma once

// A stop asked of every watcher of a race at once. The watchers look at it
// between cars and in their waits, never in the middle of a car, so a car
// being programmed is always finished first.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kx14::raceday {

class StopSignal {
 public:
  void Request();
  bool Requested() const;
  // Waits `duration`, or less when a stop is asked for meanwhile: true when
  // one has been.
  bool WaitFor(std::chrono::milliseconds duration) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable requested_;
  bool stop_ = false;
};

}  // namespace kx14::raceday
