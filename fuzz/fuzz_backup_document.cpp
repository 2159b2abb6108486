// libFuzzer target: an input that breaks a property of CheckBackupDocument
// (fuzz/properties/backup_document_properties.h) aborts, and libFuzzer keeps
// it as a finding.
#include <cstddef>
#include <cstdint>

#include "fuzz/properties/backup_document_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kx14::fuzz::AbortUnlessPassed(kx14::fuzz::CheckBackupDocument({data, size}));
  return 0;
}
