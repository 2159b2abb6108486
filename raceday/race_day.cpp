#include "raceday/race_day.h"

#include <exception>

#include "raceday/port_watch.h"

namespace kx14::raceday {

RaceDay::RaceDay(RaceSetup setup, std::vector<std::string> ports, RaceEventSink& sink)
    : setup_(std::move(setup)), sink_(sink), progress_(ports), running_(ports.size()) {
  for (std::size_t adapter = 0; adapter < ports.size(); ++adapter) {
    watches_.push_back(std::make_unique<PortWatch>(setup_, ports[adapter], stop_,
                                                   [this, adapter](RaceEvent event) {
                                                     event.adapter = adapter;
                                                     Publish(std::move(event));
                                                   }));
  }
  try {
    for (std::size_t adapter = 0; adapter < watches_.size(); ++adapter) {
      threads_.emplace_back([this, adapter] { Watch(adapter); });
    }
  } catch (...) {
    Stop();  // the threads started so far; none may outlive the race
    throw;
  }
}

RaceDay::~RaceDay() { Stop(); }

void RaceDay::RequestStop() { stop_.Request(); }

bool RaceDay::WaitUntilEnded(std::chrono::milliseconds patience) {
  std::unique_lock lock(mutex_);
  return ended_.wait_for(lock, patience, [this] { return running_ == 0; });
}

void RaceDay::Stop() {
  RequestStop();
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

RaceProgress RaceDay::Progress() const {
  const std::lock_guard lock(mutex_);
  return progress_;
}

void RaceDay::Publish(RaceEvent event) {
  {
    const std::lock_guard lock(mutex_);
    AddEvent(progress_, event, setup_.roster);
  }
  sink_.OnEvent(event);
}

// A watcher that stops on something unforeseen ends alone: the others go on,
// and its cars stay in the race's progress.
void RaceDay::Watch(std::size_t adapter) {
  PortWatch& watch = *watches_[adapter];
  std::string unforeseen;
  try {
    watch.Run();
  } catch (const std::exception& failure) {
    unforeseen = failure.what();
  }
  RaceEvent stopped;
  stopped.kind = TRaceEventKind::Stopped;
  stopped.adapter = adapter;
  stopped.port = watch.Name();
  stopped.reason = unforeseen;
  Publish(std::move(stopped));
  {
    const std::lock_guard lock(mutex_);
    --running_;
  }
  ended_.notify_all();
}

}  // namespace kx14::raceday
