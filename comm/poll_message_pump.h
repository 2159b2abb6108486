#pragma once

// A message pump without a toolkit, for tests and console programs: posted
// tasks wait in a locked queue and a wake signal wakes the owning thread,
// which waits on it together with the port it reads (WaitForEither: poll()
// on Linux, WaitForMultipleObjects on Windows). Everything except Post
// runs on the thread that owns the pump.

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>

#include "comm/message_pump.h"
#include "comm/wake_signal.h"

namespace kx14 {

class PollMessagePump final : public TMessagePump {
 public:
  PollMessagePump() = default;

  // Runs the tasks posted so far, in order. A task that throws lets the
  // exception through; the tasks behind it stay queued.
  void ProcessMessages() override;
  void Post(std::function<void()> task) override;
  void WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) override;

  // Runs tasks as they come until `done` holds (true) or `timeout` passed
  // (false). `done` is checked after every task batch and at least every
  // 10 ms, so it may also watch state that other threads change.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

  // Runs tasks as they come for `duration`.
  void RunFor(std::chrono::milliseconds duration);

  std::size_t PendingTasks() const;

  // Ready while posted tasks wait to run: a toolkit's pump that keeps its
  // tasks here waits on it together with its own messages.
  WaitObject PostedSignal() const { return posted_.Handle(); }

 private:
  bool RunPosted();

  mutable std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;  // under mutex_
  // Set with the queue: lets a wait that finds nothing posted skip the
  // eventfd read and the lock (the common case while a read waits).
  std::atomic<bool> hasTasks_{false};
  WakeSignal posted_;
};

}  // namespace kx14
