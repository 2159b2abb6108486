#include "fuzz/properties/fuzz_input.h"

#include <algorithm>

namespace kx14::fuzz {

std::uint8_t FuzzInput::TakeByte() { return Empty() ? 0 : bytes_[next_++]; }

std::int32_t FuzzInput::TakeInt32() {
  std::uint32_t value = 0;
  for (int shift = 0; shift < 32; shift += 8) value |= std::uint32_t{TakeByte()} << shift;
  return static_cast<std::int32_t>(value);  // modular since C++20
}

std::string FuzzInput::TakeBytes(std::size_t count) {
  const std::size_t taken = std::min(count, Remaining());
  std::string out(reinterpret_cast<const char*>(bytes_.data()) + next_, taken);
  next_ += taken;
  return out;
}

std::string FuzzInput::TakeRest() { return TakeBytes(Remaining()); }

std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace kx14::fuzz
