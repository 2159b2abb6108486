#pragma once

// The one-byte checksum that follows the parameter block wherever it travels.

#include <cstdint>
#include <span>

#include "base/byte_string.h"

namespace kx14 {

// Sum of all bytes, each taken as 0..255, modulo 256 (0 for an empty string).
std::uint8_t CheckSum(const ByteString& data);
std::uint8_t CheckSum(std::span<const std::uint8_t> data);

// Appends CheckSum(data) to data: an empty string receives the byte 0.
void AddCheckSum(ByteString& data);

}  // namespace kx14
