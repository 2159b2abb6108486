#pragma once

// The one reader of integers in text. Each caller keeps only its own rules
// on top (blanks, sign, prefixes, range): the editors' typed numbers and the
// port-name order share the signed 32-bit form below; kx14ctl's field values,
// the simulator's options and the doctor's process and account numbers read
// plain digits. Pure and total: never throws, never reads outside the text.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kx14 {

// The value of `digits`: one or more digits of `base` (2..36; letters in
// either case) and nothing else: no blank, sign or prefix. Leading zeros are
// allowed. Nothing for any other text or for a value above `max`.
std::optional<std::uint64_t> ReadDigits(std::string_view digits, int base,
                                        std::uint64_t max) noexcept;

// Which prefixes introduce hexadecimal digits.
enum class HexPrefixes {
  kRunTimeLibrary,  // "$", "0x", "0X": the run-time library's StrToInt
  kTypedNumber,     // those and a lone "x" or "X": the editors
};

// A signed 32-bit integer: leading blanks (code 32 only), then either an
// optional "+" or "-" and decimal digits within -2147483648..2147483647, or a
// hex prefix (no sign before it) and digits making at most 32 bits, taken as
// two's complement ("$FFFFFFFF" is -1). The number must end the text.
std::optional<std::int32_t> ReadInt32(std::string_view text, HexPrefixes prefixes) noexcept;

}  // namespace kx14
