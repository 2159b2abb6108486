#pragma once

#include <cstdint>

#include "comm/byte_string.h"

namespace kx14 {

// Sum of all bytes modulo 256 (0 for an empty string).
std::uint8_t CheckSum(const ByteString& data);

// Appends CheckSum(data) to data.
void AddCheckSum(ByteString& data);

}  // namespace kx14
