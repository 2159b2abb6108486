#include "raceday/stop_signal.h"

namespace kx14::raceday {

void StopSignal::Request() {
  {
    const std::lock_guard lock(mutex_);
    stop_ = true;
  }
  requested_.notify_all();
}

bool StopSignal::Requested() const {
  const std::lock_guard lock(mutex_);
  return stop_;
}

bool StopSignal::WaitFor(std::chrono::milliseconds duration) const {
  std::unique_lock lock(mutex_);
  return requested_.wait_for(lock, duration, [this] { return stop_; });
}

}  // namespace kx14::raceday
