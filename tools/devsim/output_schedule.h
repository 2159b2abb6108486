#pragma once

// When each byte of the replies may go out. Bytes leave in the order they
// were queued; a reply never overtakes an earlier one, even with a shorter
// delay. With a byte time set, consecutive bytes are spaced as a real line
// would send them (10 bit times per byte at 8N1), so a host that reads as
// bytes trickle in sees the same timing as with the device.

#include <chrono>
#include <deque>
#include <optional>
#include <string_view>

#include "base/byte_string.h"
#include "tools/devsim/device_responder.h"

namespace kx14::devsim {

// The time one byte takes on a line of `baud` bit/s with start, 8 data and
// stop bit; zero for baud <= 0 (no pacing).
std::chrono::nanoseconds ByteTimeAtBaud(long baud);

class OutputSchedule {
 public:
  explicit OutputSchedule(std::chrono::nanoseconds byteTime = {}) : byteTime_(byteTime) {}

  void SetByteTime(std::chrono::nanoseconds byteTime) { byteTime_ = byteTime; }

  // Queues bytes that may go out from notBefore on, after everything queued
  // earlier.
  void Add(std::string_view bytes, Clock::time_point notBefore);

  // Takes the bytes due at `now`, in order.
  ByteString TakeDue(Clock::time_point now);

  // When the next byte is due, if any is queued.
  std::optional<Clock::time_point> NextDue() const;

 private:
  struct TimedByte {
    Clock::time_point due;
    char byte;
  };
  std::chrono::nanoseconds byteTime_;
  std::deque<TimedByte> queue_;
  std::optional<Clock::time_point> lastDue_;  // of the last byte ever queued
};

}  // namespace kx14::devsim
