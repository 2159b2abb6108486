#include "protocol/checksum.h"

namespace kx14 {

std::uint8_t CheckSum(std::span<const std::uint8_t> data) {
  // Unsigned 8-bit arithmetic wraps, which is exactly "modulo 256".
  std::uint8_t sum = 0;
  for (const std::uint8_t byte : data) sum = static_cast<std::uint8_t>(sum + byte);
  return sum;
}

std::uint8_t CheckSum(const ByteString& data) {
  // ByteString holds plain chars, which are signed here: reinterpret each
  // one as its unsigned byte value instead of summing negative numbers.
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
  return CheckSum(std::span<const std::uint8_t>(bytes, data.size()));
}

void AddCheckSum(ByteString& data) { data.push_back(static_cast<char>(CheckSum(data))); }

}  // namespace kx14
