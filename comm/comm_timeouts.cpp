#include "comm/comm_timeouts.h"

namespace kx14 {
namespace {

std::optional<std::chrono::milliseconds> TotalOf(std::uint32_t multiplier, std::uint32_t constant,
                                                 std::uint32_t count) {
  if (multiplier == 0 && constant == 0) return std::nullopt;
  const std::uint64_t ms = std::uint64_t{multiplier} * count + constant;
  return std::chrono::milliseconds(static_cast<std::int64_t>(ms));
}

}  // namespace

ReadPlan PlanRead(const CommTimeouts& t, std::uint32_t count) {
  ReadPlan plan;
  const bool noInterval = t.ReadIntervalTimeout == kMaxDword;
  if (noInterval && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0) {
    plan.returnAtOnce = true;
    return plan;
  }
  if (noInterval && t.ReadTotalTimeoutMultiplier == kMaxDword && t.ReadTotalTimeoutConstant != 0 &&
      t.ReadTotalTimeoutConstant != kMaxDword) {
    plan.returnOnFirstBytes = true;
    plan.total = std::chrono::milliseconds(t.ReadTotalTimeoutConstant);
    return plan;
  }
  plan.total = TotalOf(t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant, count);
  if (!noInterval && t.ReadIntervalTimeout != 0) {
    plan.interval = std::chrono::milliseconds(t.ReadIntervalTimeout);
  }
  return plan;
}

std::optional<std::chrono::milliseconds> PlanWrite(const CommTimeouts& t, std::uint32_t count) {
  return TotalOf(t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant, count);
}

}  // namespace kx14
