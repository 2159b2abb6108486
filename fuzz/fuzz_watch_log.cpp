// libFuzzer target: an input that breaks a property of CheckWatchLog
// (fuzz/properties/watch_log_properties.h) aborts, and libFuzzer keeps it as
// a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/properties/watch_log_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx14::fuzz::AbortUnlessPassed(kx14::fuzz::CheckWatchLog({data, size}));
  return 0;
}
