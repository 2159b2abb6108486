#pragma once

// Properties of the reader of typed numbers (ui/typed_number.h) for any text.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

// The input's bytes are the typed text. Checks that the reader agrees with
// the reference reader, that the fallback comes back exactly when the text is
// invalid, that the reader stays inside its view, and that a valid value
// reads back from its decimal and hexadecimal spellings (a decimal text
// being exactly its canonical spelling).
PropertyReport CheckTypedNumber(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
