#include "base/integer_text.h"

#include <algorithm>
#include <charconv>

namespace kx14 {
namespace {

constexpr std::uint64_t kMaxHexBits = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxPositive = 2147483647u;
constexpr std::uint64_t kMaxNegative = 2147483648u;

// The digits after a hexadecimal prefix, or nothing when `text` has none.
std::optional<std::string_view> AfterHexPrefix(std::string_view text, HexPrefixes prefixes) {
  if (text.starts_with('$')) return text.substr(1);
  if (text.starts_with("0x") || text.starts_with("0X")) return text.substr(2);
  if (prefixes == HexPrefixes::kTypedNumber && (text.starts_with('x') || text.starts_with('X'))) {
    return text.substr(1);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> ReadDigits(std::string_view digits, int base,
                                        std::uint64_t max) noexcept {
  if (digits.empty()) return std::nullopt;
  const char* const end = digits.data() + digits.size();
  std::uint64_t value = 0;
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (error != std::errc{} || stop != end || value > max) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ReadInt32(std::string_view text, HexPrefixes prefixes) noexcept {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  if (const auto hexDigits = AfterHexPrefix(text, prefixes)) {
    const auto bits = ReadDigits(*hexDigits, 16, kMaxHexBits);
    if (!bits) return std::nullopt;
    // Two's complement: the conversion is modular since C++20.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
  }
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const auto magnitude = ReadDigits(text, 10, negative ? kMaxNegative : kMaxPositive);
  if (!magnitude) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace kx14
