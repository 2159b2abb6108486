#include "ui/typed_number.h"

#include <cstddef>
#include <cstdint>
#include <limits>

namespace kx14 {
namespace {

constexpr std::size_t kMaxHexDigits = 8;  // 32 bits
constexpr std::int64_t kDecimalMagnitudeLimit =
    -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min());

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (IsDecimalDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string_view SkipLeadingBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ') ++first;
  return text.substr(first);
}

// The digits after a hexadecimal prefix, or nothing when `text` has none.
std::optional<std::string_view> AfterHexPrefix(std::string_view text) {
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    return text.substr(1);
  }
  if (text.starts_with("0x") || text.starts_with("0X")) return text.substr(2);
  return std::nullopt;
}

std::optional<std::int32_t> ParseHexDigits(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  std::size_t significant = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    if (value == 0 && digit == 0) continue;  // leading zeros carry no bits
    if (++significant > kMaxHexDigits) return std::nullopt;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  // Two's complement: the conversion is modular since C++20.
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (text.starts_with('+') || text.starts_with('-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    // Stop before the accumulator could overflow on a very long text.
    if (magnitude > kDecimalMagnitudeLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::optional<std::int32_t> ParseTypedNumber(std::string_view text) noexcept {
  const std::string_view number = SkipLeadingBlanks(text);
  if (const auto hexDigits = AfterHexPrefix(number)) return ParseHexDigits(*hexDigits);
  return ParseDecimal(number);
}

std::int32_t ReadTypedNumber(std::string_view text, std::int32_t fallback) noexcept {
  return ParseTypedNumber(text).value_or(fallback);
}

}  // namespace kx14
