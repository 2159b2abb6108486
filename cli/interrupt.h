#pragma once

// Ctrl+C (and a termination request) for the watch loop: caught, so the loop
// can finish the car in hand and print its counts.

#include <chrono>

namespace kx14::cli {

// Installs the handlers; call once before the loop.
void CatchInterrupts();
bool InterruptRequested();
// Waits `duration`, returning early (true) when an interrupt arrives.
bool SleepUnlessInterrupted(std::chrono::milliseconds duration);

}  // namespace kx14::cli
