#include "ports/port_name_order.h"

#include <algorithm>
#include <cstddef>

namespace kx14 {
namespace {

constexpr std::int64_t kInt32Min = -2147483648LL;
constexpr std::int64_t kInt32Max = 2147483647LL;
constexpr std::uint64_t kUint32Max = 0xFFFFFFFFULL;

int HexDigitValue(char c) noexcept {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsDecimalDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// Hex digits up to 32 significant bits, read as two's complement.
std::optional<std::int32_t> ConvertHexDigits(std::string_view digits) noexcept {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > kUint32Max) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ConvertDecimal(std::string_view text) noexcept {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > -kInt32Min) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > kInt32Max) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

bool IsUtf8Continuation(char c) noexcept { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

struct NumberedName {
  std::int32_t number;
  std::string name;
};

}  // namespace

std::optional<std::int32_t> TryRtlStrToInt(std::string_view text) noexcept {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text.remove_prefix(first);
  if (text.front() == '$') return ConvertHexDigits(text.substr(1));
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ConvertHexDigits(text.substr(2));
  }
  return ConvertDecimal(text);
}

std::int32_t RtlStrToInt(std::string_view text) {
  if (const auto value = TryRtlStrToInt(text)) return *value;
  throw EConvertError("'" + std::string(text) + "' は整数ではありません");
}

std::string_view PortNameRemainder(std::string_view name) noexcept {
  std::size_t pos = 0;
  for (int skipped = 0; skipped < 3 && pos < name.size(); ++skipped) {
    ++pos;
    while (pos < name.size() && IsUtf8Continuation(name[pos])) ++pos;
  }
  return name.substr(pos);
}

std::int32_t PortNameNumber(std::string_view name) { return RtlStrToInt(PortNameRemainder(name)); }

std::optional<std::int32_t> TryPortNameNumber(std::string_view name) noexcept {
  return TryRtlStrToInt(PortNameRemainder(name));
}

int ComparePortNames(std::string_view a, std::string_view b) {
  const std::int32_t numberA = PortNameNumber(a);
  const std::int32_t numberB = PortNameNumber(b);
  if (numberA > numberB) return 1;
  if (numberA < numberB) return -1;
  return 0;
}

void SortPortNames(std::vector<std::string>& names) {
  if (names.size() <= 1) return;
  // Every number is converted before anything moves, so a bad name leaves
  // the list as it was instead of half sorted.
  std::vector<NumberedName> numbered;
  numbered.reserve(names.size());
  for (const std::string& name : names) numbered.push_back({PortNameNumber(name), name});
  std::stable_sort(
      numbered.begin(), numbered.end(),
      [](const NumberedName& x, const NumberedName& y) { return x.number < y.number; });
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = std::move(numbered[i].name);
}

}  // namespace kx14
