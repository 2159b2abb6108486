#pragma once

// Bytes as text: two upper-case hex digits each, separated by one blank
// ("E5 5A 00", as the traces and the simulator's log write them) or by
// nothing ("E55A00", as a backup file holds the block).

#include <optional>
#include <string>
#include <string_view>

#include "base/byte_string.h"

namespace kx14 {

std::string HexBytes(std::string_view bytes, std::string_view separator = " ");

// Reads pairs of hex digits; blanks, ':' , ',' and '-' between pairs are
// allowed ("5A0000", "5A 00 00", "5a:00:00"). Nothing for an odd digit count
// or any other character.
std::optional<ByteString> ParseHexBytes(std::string_view text);

}  // namespace kx14
