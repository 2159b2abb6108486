// libFuzzer target: an input that breaks a property of CheckPortNames
// (fuzz/properties/port_name_properties.h) aborts, and libFuzzer keeps it as a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/properties/port_name_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx14::fuzz::AbortUnlessPassed(kx14::fuzz::CheckPortNames({data, size}));
  return 0;
}
