#pragma once

// Pure interpretation of the time-out record: how long a read or a write of a
// given size may take. The Linux backend reads with VMIN=1/VTIME=0 on a
// non-blocking descriptor and waits in poll(), so these plans are where the
// record's values take effect.

#include <chrono>
#include <cstdint>
#include <optional>

#include "comm/dcb.h"

namespace kx14 {

struct ReadPlan {
  bool returnAtOnce = false;                          // take what is waiting, never wait
  bool returnOnFirstBytes = false;                    // return as soon as any byte came
  std::optional<std::chrono::milliseconds> total;     // nothing: until the count is complete
  std::optional<std::chrono::milliseconds> interval;  // longest gap between two bytes

  friend bool operator==(const ReadPlan&, const ReadPlan&) = default;
};

ReadPlan PlanRead(const CommTimeouts& t, std::uint32_t count);

// Nothing: the write may take as long as it needs.
std::optional<std::chrono::milliseconds> PlanWrite(const CommTimeouts& t, std::uint32_t count);

}  // namespace kx14
