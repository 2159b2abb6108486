#pragma once

// Properties of watch's log (files/watch_log.h) opened over a file that holds
// any bytes: it is taken exactly when it is empty or its first line is the
// log's header (with or without a line break or a carriage return), and
// refused with the input-error failure otherwise; a row appended to a taken
// file leaves every byte before it as it was and stands on a line of its own.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

PropertyReport CheckWatchLog(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
