#pragma once

// Reading a number that the user typed into an edit field. This is the
// program's main parser of untrusted input, so it is kept free of the
// toolkit and written to be linked by a fuzzer on its own.
//
// Accepted forms, after any number of leading blanks (code 32 only):
//   decimal      optional "+" or "-", then one or more digits 0-9; the value
//                must lie in -2147483648..2147483647;
//   hexadecimal  "$", "x", "X", "0x" or "0X", then one or more hex digits in
//                either case; at most 32 significant bits, read as a signed
//                two's-complement number ("$FFFFFFFF" is -1). No sign may
//                stand before the prefix.
// The number must end the text: trailing characters (a blank included), an
// empty text, blanks only, a lone sign and a lone prefix are all invalid.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx14 {

// The value of `text`, or nothing when it is not a number by the rules above.
// Never throws, never reads outside `text`.
std::optional<std::int32_t> ParseTypedNumber(std::string_view text) noexcept;

// The value of `text`, or `fallback` when it is not a number.
std::int32_t ReadTypedNumber(std::string_view text, std::int32_t fallback) noexcept;

}  // namespace kx14
