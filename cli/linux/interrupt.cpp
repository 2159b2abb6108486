#include <signal.h>

#include <atomic>

#include "cli/interrupt.h"

namespace kx14::cli {
namespace {

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int) { interrupted.store(true); }

}  // namespace

void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool InterruptRequested() { return interrupted.load(); }

}  // namespace kx14::cli
