// libFuzzer target: an input that breaks a property of CheckRoster
// (fuzz/properties/roster_properties.h) aborts, and libFuzzer keeps it as a
// finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/properties/roster_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx14::fuzz::AbortUnlessPassed(kx14::fuzz::CheckRoster({data, size}));
  return 0;
}
