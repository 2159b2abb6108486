#pragma once

// A level-triggered wake-up that a thread can wait on together with a port:
// Signal() makes it ready until Drain(). Thread-safe. Backed by an eventfd on
// Linux.

namespace kx14 {

class WakeSignal {
 public:
  WakeSignal();  // throws std::system_error when the descriptor cannot be made
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  void Signal();
  void Drain();
  int Fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace kx14
