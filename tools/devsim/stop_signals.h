#pragma once

// SIGINT, SIGTERM and SIGHUP end the simulator cleanly (its port entry must
// go). They stay blocked except inside the loop's ppoll(), which unblocks
// them atomically, so a signal can neither slip in between a check of the
// flag and the wait nor interrupt the simulator half way through a step.

#include <signal.h>

namespace kx14::devsim {

class StopSignals {
 public:
  StopSignals();   // blocks the signals and installs the handler
  ~StopSignals();  // restores the previous mask and handlers
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal mask for ppoll(): the previous mask, without the stop signals.
  const sigset_t* WaitMask() const { return &waitMask_; }
  bool StopRequested() const;

 private:
  sigset_t previousMask_{};
  sigset_t waitMask_{};
  struct sigaction previousActions_[3]{};
};

}  // namespace kx14::devsim
