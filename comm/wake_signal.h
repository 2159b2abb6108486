#pragma once

// A level-triggered wake-up that a thread can wait on together with a port:
// Signal() makes it ready until Drain(). Thread-safe. Backed by an eventfd on
// Linux and a manual-reset event on Windows.

#include <cstdint>

#include "comm/wait_object.h"

namespace kx14 {

class WakeSignal {
 public:
  WakeSignal();  // throws std::system_error when it cannot be made
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  void Signal();
  void Drain();
  WaitObject Handle() const { return {native_}; }

 private:
  std::intptr_t native_;
};

}  // namespace kx14
