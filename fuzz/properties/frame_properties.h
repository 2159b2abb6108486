#pragma once

// Properties of the checksum, the block codec and the four frames
// (protocol/checksum.h, parameter_block.h, frames.h) for any bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

// The length of a read reply and of a program command.
inline constexpr std::size_t kFrameSize = 18;

// The input is taken three ways: as a whole reply or command frame (the
// checks accept exactly the frames of the right length and checksum), its
// first 16 bytes as a block (decoded values lie in every control's range and
// survive an encode and decode), and as control values of any size (encoding
// limits each to its range without spilling into a neighbouring field).
PropertyReport CheckFrames(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
