#pragma once

// Properties of kx14ctl's roster reader (files/roster.h) for any bytes: it
// refuses only with the input-error failure naming a line of the input; a
// roster it accepts has identifiers that are unique and in range, levels
// that exist, names and notes in UTF-8, rows in file order; and it reads the
// same cars again when written back as CSV.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

PropertyReport CheckRoster(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
