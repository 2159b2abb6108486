#pragma once

// Ctrl+C (and a termination request) for watch: caught, so the race can be
// asked to stop, finish the cars in hand and print its counts.

namespace kx14::cli {

// Installs the handlers; call once before the race.
void CatchInterrupts();
// Set from the handler, which can wake nothing: looked at by polling.
bool InterruptRequested();

}  // namespace kx14::cli
