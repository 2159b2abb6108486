// libFuzzer target: an input that breaks a property of CheckHistoryEntry
// (fuzz/properties/history_entry_properties.h) aborts, and libFuzzer keeps
// it as a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/properties/history_entry_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx14::fuzz::AbortUnlessPassed(kx14::fuzz::CheckHistoryEntry({data, size}));
  return 0;
}
