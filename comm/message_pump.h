#pragma once

#include <chrono>
#include <functional>

#include "comm/wait_object.h"

namespace kx14 {

// What the serial component needs from the window side: a way to run code on
// the window's thread, and "let pending window messages run" while it waits.
// The window implements it with its toolkit; tests and console tools use
// PollMessagePump. Everything except Post runs on the window's thread.
class TMessagePump {
 public:
  virtual ~TMessagePump() = default;

  // Runs every pending window message and every task posted so far, then
  // returns without blocking.
  virtual void ProcessMessages() = 0;

  // Thread-safe. Queues `task` to run on the window's thread the next time it
  // takes messages (its loop, ProcessMessages or WaitReadable).
  virtual void Post(std::function<void()> task) = 0;

  // Lets window messages and posted tasks run until `ready` is (a descriptor
  // readable or hung up, an event signalled), a posted task has run, or
  // `timeout` has passed, whichever comes first. A none object waits for
  // messages and time only. May return early; callers re-check their own
  // state after every return.
  virtual void WaitReadable(WaitObject ready, std::chrono::milliseconds timeout) = 0;
};

}  // namespace kx14
