#pragma once

// Something a thread waits on together with window messages. Each backend
// makes and reads its own kind: a descriptor on Linux (ready when readable or
// hung up), an event or waitable HANDLE on Windows (ready when signalled).
// Shared code only hands it from the device or a wake signal to the message
// pump, so neither the component nor the window sees what it is.

#include <chrono>
#include <cstdint>

namespace kx14 {

struct WaitObject {
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t native = kNone;  // the descriptor or the HANDLE, as an integer

  bool IsNone() const { return native == kNone; }
};

enum class EitherReady : std::uint8_t { kFirst, kSecond, kTimedOut };

// Blocks until `first` or `second` is ready or `timeout` has passed; `first`
// is reported when both are. An object that is none is never ready, so
// WaitForEither(none, none, t) sleeps for t. Interrupted waits go on until
// the deadline.
EitherReady WaitForEither(WaitObject first, WaitObject second, std::chrono::milliseconds timeout);

}  // namespace kx14
