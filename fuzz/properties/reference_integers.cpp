#include "fuzz/properties/reference_integers.h"

#include <string>

namespace kx14::fuzz {
namespace {

constexpr std::int64_t kInt32Min = -(std::int64_t{1} << 31);
constexpr std::int64_t kInt32Max = (std::int64_t{1} << 31) - 1;
constexpr std::int64_t kTwoTo32 = std::int64_t{1} << 32;

// The value of one digit in `base`, or -1.
int DigitValue(char c, int base) {
  static constexpr std::string_view kDigits = "0123456789ABCDEFabcdef";
  const std::size_t index = kDigits.find(c);
  if (index == std::string_view::npos) return -1;
  const int value = index < 16 ? static_cast<int>(index) : static_cast<int>(index) - 6;
  return value < base ? value : -1;
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

// The value of a non-empty digit string with at most `maxSignificant`
// digits after its leading zeros; nothing otherwise.
std::optional<std::int64_t> DigitsValue(std::string_view digits, int base,
                                        std::size_t maxSignificant) {
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    if (DigitValue(c, base) < 0) return std::nullopt;
  }
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  if (digits.size() > maxSignificant) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) value = value * base + DigitValue(c, base);
  return value;
}

// The digits after a hexadecimal prefix, or nothing when there is none. The
// two-character prefixes are tried first: "0x1" is hexadecimal, not a zero
// followed by junk.
std::optional<std::string_view> HexDigitsAfterPrefix(std::string_view body, HexPrefixes prefixes) {
  for (std::string_view prefix : {"0x", "0X", "$"}) {
    if (body.starts_with(prefix)) return body.substr(prefix.size());
  }
  if (prefixes == HexPrefixes::kTypedNumber && (body.starts_with('x') || body.starts_with('X'))) {
    return body.substr(1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ReferenceInteger(std::string_view text, HexPrefixes prefixes) {
  const std::string_view body = WithoutLeadingBlanks(text);
  if (const auto hexDigits = HexDigitsAfterPrefix(body, prefixes)) {
    const auto bits = DigitsValue(*hexDigits, 16, 8);
    if (!bits) return std::nullopt;
    return static_cast<std::int32_t>(*bits > kInt32Max ? *bits - kTwoTo32 : *bits);
  }
  std::string_view digits = body;
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  const auto magnitude = DigitsValue(digits, 10, 10);  // 10 digits fit in 64 bits
  if (!magnitude) return std::nullopt;
  const std::int64_t value = negative ? -*magnitude : *magnitude;
  if (value < kInt32Min || value > kInt32Max) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<std::string> CanonicalDecimal(std::string_view text) {
  std::string_view digits = WithoutLeadingBlanks(text);
  const bool negative = digits.starts_with('-');
  if (negative || digits.starts_with('+')) digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  for (char c : digits) {
    if (DigitValue(c, 10) < 0) return std::nullopt;
  }
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  if (digits == "0") return std::string("0");
  return (negative ? "-" : "") + std::string(digits);
}

}  // namespace kx14::fuzz
