#include "tools/devsim/output_schedule.h"

#include <algorithm>

namespace kx14::devsim {

std::chrono::nanoseconds ByteTimeAtBaud(long baud) {
  constexpr long kBitsPerByte = 10;  // start bit, 8 data bits, stop bit
  if (baud <= 0) return {};
  return std::chrono::nanoseconds(kBitsPerByte * 1'000'000'000LL / baud);
}

void OutputSchedule::Add(std::string_view bytes, Clock::time_point notBefore) {
  for (char byte : bytes) {
    Clock::time_point due = notBefore;
    if (lastDue_) due = std::max(due, *lastDue_ + byteTime_);
    queue_.push_back({due, byte});
    lastDue_ = due;
  }
}

ByteString OutputSchedule::TakeDue(Clock::time_point now) {
  ByteString due;
  while (!queue_.empty() && queue_.front().due <= now) {
    due.push_back(queue_.front().byte);
    queue_.pop_front();
  }
  return due;
}

std::optional<Clock::time_point> OutputSchedule::NextDue() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.front().due;
}

}  // namespace kx14::devsim
