#pragma once

// Properties of kx14ctl's backup-file reader (files/backup_document.h) for any
// bytes: it refuses only with the input-error failure, what it accepts holds
// the checksum it states and survives a write and a read, and any 16 bytes
// written as a backup read back unchanged.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

PropertyReport CheckBackupDocument(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
