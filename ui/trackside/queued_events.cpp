#include "ui/trackside/queued_events.h"

#include <utility>

namespace kx14::trackside {

void QueuedEvents::OnEvent(const raceday::RaceEvent& event) {
  const std::lock_guard lock(mutex_);
  events_.push_back(event);
}

std::vector<raceday::RaceEvent> QueuedEvents::TakeAll() {
  const std::lock_guard lock(mutex_);
  return std::exchange(events_, {});
}

}  // namespace kx14::trackside
