#include "files/field_text.h"

#include "base/integer_text.h"

namespace kx14::cli {

std::string FieldText(const BlockBytes& block, const BlockField& field) {
  const int value = FieldValue(block, field);
  if (field.kind == TFieldKind::Flag) return value != 0 ? "on" : "off";
  return std::to_string(value);
}

std::optional<int> ParseFieldValue(const BlockField& field, std::string_view text) {
  if (field.kind == TFieldKind::Flag) {
    if (text == "on" || text == "1") return 1;
    if (text == "off" || text == "0") return 0;
    return std::nullopt;
  }
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const auto value = ReadDigits(hex ? text.substr(2) : text, hex ? 16 : 10, field.max);
  if (!value || *value < static_cast<std::uint64_t>(field.min)) return std::nullopt;
  // The block holds MAXPWR in steps of 2 %: an odd percentage would be stored
  // as the one below it and fail its own read-back.
  if (field.kind == TFieldKind::Percent && *value % 2 != 0) return std::nullopt;
  return static_cast<int>(*value);
}

std::string FieldNames() {
  std::string names;
  for (const BlockField& field : BlockFields()) {
    if (!names.empty()) names += ' ';
    names += field.name;
  }
  return names;
}

}  // namespace kx14::cli
