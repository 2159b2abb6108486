#include "ui/typed_number.h"

#include "base/integer_text.h"

namespace kx14 {

std::optional<std::int32_t> ParseTypedNumber(std::string_view text) noexcept {
  return ReadInt32(text, HexPrefixes::kTypedNumber);
}

std::int32_t ReadTypedNumber(std::string_view text, std::int32_t fallback) noexcept {
  return ParseTypedNumber(text).value_or(fallback);
}

}  // namespace kx14
