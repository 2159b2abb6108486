#pragma once

// Properties of the port-name order (ports/port_name_order.h) for any names,
// valid UTF-8 or not.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

// The input is a list of port names separated by line feeds. Checks each
// name's remainder and number against reference readers, the exact message of
// the conversion error, that ComparePortNames is antisymmetric and follows
// the numbers, and that SortPortNames either throws the conversion error for
// the first bad name and leaves the list alone, or sorts it stably by number
// keeping every name.
PropertyReport CheckPortNames(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
