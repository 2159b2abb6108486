#include <signal.h>

#include <atomic>
#include <thread>

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

bool SleepUnlessInterrupted(std::chrono::milliseconds duration) {
  // Short steps: the flag is set from a signal handler, which cannot wake a
  // condition variable safely.
  constexpr std::chrono::milliseconds kStep{20};
  const auto until = std::chrono::steady_clock::now() + duration;
  while (!interrupted.load() && std::chrono::steady_clock::now() < until) {
    std::this_thread::sleep_for(kStep);
  }
  return interrupted.load();
}

}  // namespace kx14::cli
