#pragma once

// Properties of the history's entry reader (history/history_entry.h) for any
// bytes: it never throws; an entry it accepts survives a write and a read
// with every field; no leading part of a written entry (a write torn by a
// power cut) is ever read as an entry; any 16 bytes recorded read back
// unchanged.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

PropertyReport CheckHistoryEntry(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
