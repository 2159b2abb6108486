#include "ports/port_name_order.h"

#include <algorithm>
#include <cstddef>

#include "base/integer_text.h"

namespace kx14 {
namespace {

bool IsUtf8Continuation(char c) noexcept { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

struct NumberedName {
  std::int32_t number;
  std::string name;
};

}  // namespace

std::optional<std::int32_t> TryRtlStrToInt(std::string_view text) noexcept {
  return ReadInt32(text, HexPrefixes::kRunTimeLibrary);
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
