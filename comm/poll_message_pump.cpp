#include "comm/poll_message_pump.h"

#include <algorithm>

namespace kx14 {

using Clock = std::chrono::steady_clock;

namespace {
constexpr std::chrono::milliseconds kRecheckInterval{10};
}  // namespace

void PollMessagePump::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    hasTasks_ = true;
  }
  posted_.Signal();
}

std::size_t PollMessagePump::PendingTasks() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

bool PollMessagePump::RunPosted() {
  if (!hasTasks_.load()) return false;
  // Drained before the queue is taken: a task posted after this point sets
  // the signal again and wakes the next wait (at worst once for nothing).
  posted_.Drain();
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(tasks_);
    hasTasks_ = false;
  }
  const bool ranAny = !batch.empty();
  while (!batch.empty()) {
    std::function<void()> task = std::move(batch.front());
    batch.pop_front();
    try {
      task();
    } catch (...) {
      std::lock_guard lock(mutex_);
      tasks_.insert(tasks_.begin(), std::make_move_iterator(batch.begin()),
                    std::make_move_iterator(batch.end()));
      if (!tasks_.empty()) {
        hasTasks_ = true;
        posted_.Signal();
      }
      throw;
    }
  }
  return ranAny;
}

void PollMessagePump::ProcessMessages() { RunPosted(); }

void PollMessagePump::WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) {
  if (RunPosted()) return;
  // The caller's object goes first: its data is what the caller waits for,
  // and tasks posted meanwhile run at the start of the next call.
  if (WaitForEither(ready, posted_.Handle(), timeout) != EitherReady::kSecond) return;
  posted_.Drain();  // also when the tasks it announced already ran
  RunPosted();
}

bool PollMessagePump::RunUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    ProcessMessages();
    if (done()) return true;
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) return false;
    // `done` may depend on other threads, not only on posted tasks.
    WaitReadable(
        WaitObject{}, std::min(kRecheckInterval, std::chrono::ceil<std::chrono::milliseconds>(remaining)));
  }
}

void PollMessagePump::RunFor(std::chrono::milliseconds duration) {
  RunUntil([] { return false; }, duration);
}

}  // namespace kx14
