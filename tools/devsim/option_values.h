#pragma once

// Values as the command line and the control commands spell them. Each
// parser throws std::invalid_argument with a message naming what was wrong.

#include <chrono>
#include <cstdint>
#include <string_view>

#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"

namespace kx14::devsim {

// Decimal digits (no sign) within [min, max]; 0 <= min <= max. 64 bits, so
// that UINT32_MAX is a bound where long has 32 (Windows).
std::int64_t ParseInteger(std::string_view text, std::int64_t min, std::int64_t max,
                          std::string_view what);
// A probability 0..1 ("0.05").
double ParseRate(std::string_view text);
// 16 bytes in hex (see ParseHexBytes).
BlockBytes ParseBlock(std::string_view text);
// "normal" or fault names joined by "," ("short,noise").
Faults ParseFaultList(std::string_view text);

inline constexpr long kMaxDelayMs = 600'000;
inline constexpr long kMinBaud = 50;
inline constexpr long kMaxBaud = 4'000'000;

}  // namespace kx14::devsim
