#pragma once

// Independent reference readers of the two integer grammars the program
// parses: the typed numbers of the editors and the run-time library's
// conversion behind the port-name order. Written as plainly as possible (a
// strict grammar, 64-bit arithmetic, no early overflow tricks) so that a
// fuzzer can hold the real readers against them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx14::fuzz {

enum class HexPrefixes {
  kTypedNumber,  // "$", "x", "X", "0x", "0X"
  kRtlStrToInt,  // "$", "0x", "0X"
};

// Leading blanks (code 32), then either [+-]?[0-9]+ within the 32-bit signed
// range, or a prefix and [0-9A-Fa-f]+ with at most eight significant digits
// read as two's complement; nothing may follow.
std::optional<std::int32_t> ReferenceInteger(std::string_view text, HexPrefixes prefixes);

// The canonical decimal spelling of a text in the decimal form: blanks, a
// plus sign and leading zeros dropped, "-0" as "0". Nothing when the text
// is not in the decimal form [ ]*[+-]?[0-9]+ (the range is not checked).
std::optional<std::string> CanonicalDecimal(std::string_view text);

}  // namespace kx14::fuzz
