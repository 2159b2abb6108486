#pragma once

// The order of the port list: port names compared by the integer that follows
// their first three characters, so COM2 sorts before COM10. The number is read
// with the run-time library's integer conversion (StrToInt); a name whose
// remainder does not convert raises that conversion's error. The editors'
// typed numbers use the same reader, with the lone "x" prefix besides.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx14 {

// The run-time library's conversion error. what() is the message shown to the
// user, in UTF-8.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The run-time library's integer conversion, as the port list uses it:
// leading blanks (code 32 only) are skipped; then either an optional "+" or
// "-" and decimal digits within -2147483648..2147483647, or a hexadecimal
// prefix "$", "0x" or "0X" (no sign before it) and digits making at most 32
// bits, taken as two's complement ("$FFFFFFFF" is -1). The number must end the
// text. Gives nothing for any other text.
std::optional<std::int32_t> TryRtlStrToInt(std::string_view text) noexcept;

// As TryRtlStrToInt; throws EConvertError "'<text>' は整数ではありません" when the
// text does not convert.
std::int32_t RtlStrToInt(std::string_view text);

// The port name without its first three characters (UTF-8 characters, so a
// multi-byte name is never cut inside a character); "" when the name is
// shorter. Nothing checks that the three characters are "COM".
std::string_view PortNameRemainder(std::string_view name) noexcept;

// The port name's number: RtlStrToInt(PortNameRemainder(name)). Throws
// EConvertError naming the remainder.
std::int32_t PortNameNumber(std::string_view name);
std::optional<std::int32_t> TryPortNameNumber(std::string_view name) noexcept;

// 1 if a's number is greater than b's, -1 if smaller, 0 if equal. Throws
// EConvertError for a name whose number does not convert (a's first).
int ComparePortNames(std::string_view a, std::string_view b);

// Sorts the names ascending by number, names of equal number keeping their
// order. Only a list of more than one name is sorted, so a single name is
// never converted. Throws EConvertError for the first name, in list order,
// whose number does not convert; the list is then unchanged.
void SortPortNames(std::vector<std::string>& names);

}  // namespace kx14
