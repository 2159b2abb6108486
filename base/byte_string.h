#pragma once

#include <string>

namespace kx14 {

// Commands, replies and the parameter block travel as strings of 8-bit
// characters: one char per byte on the wire, in order. The value 0 may occur
// anywhere; the length is always the string's own count.
using ByteString = std::string;

}  // namespace kx14
