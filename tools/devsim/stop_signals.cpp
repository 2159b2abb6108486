#include "tools/devsim/stop_signals.h"

#include <array>
#include <csignal>

namespace kx14::devsim {
namespace {

constexpr std::array<int, 3> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void OnStopSignal(int) { stopRequested = 1; }

}  // namespace

StopSignals::StopSignals() {
  sigset_t stopSet;
  ::sigemptyset(&stopSet);
  for (int signal : kStopSignals) ::sigaddset(&stopSet, signal);
  ::sigprocmask(SIG_BLOCK, &stopSet, &previousMask_);
  waitMask_ = previousMask_;
  for (int signal : kStopSignals) ::sigdelset(&waitMask_, signal);

  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  ::sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &action, &previousActions_[i]);
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < kStopSignals.size(); ++i) {
    ::sigaction(kStopSignals[i], &previousActions_[i], nullptr);
  }
  ::sigprocmask(SIG_SETMASK, &previousMask_, nullptr);
}

bool StopSignals::StopRequested() const { return stopRequested != 0; }

}  // namespace kx14::devsim
