#include "protocol/hex_bytes.h"

namespace kx14 {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsSeparator(char c) { return c == ' ' || c == ':' || c == ',' || c == '-'; }

}  // namespace

std::string HexBytes(std::string_view bytes, std::string_view separator) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (char c : bytes) {
    const auto value = static_cast<unsigned char>(c);
    if (!text.empty()) text += separator;
    text.push_back(kDigits[value >> 4]);
    text.push_back(kDigits[value & 0x0F]);
  }
  return text;
}

std::optional<ByteString> ParseHexBytes(std::string_view text) {
  ByteString bytes;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsSeparator(text[i])) {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return std::nullopt;
    const int high = HexValue(text[i]);
    const int low = HexValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return bytes;
}

}  // namespace kx14
