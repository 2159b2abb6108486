#pragma once

// Takes a fuzzer's bytes apart into the values a property check needs. Every
// take is total: past the end it yields zeros and empty strings, so any input
// drives a whole check.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kx14::fuzz {

class FuzzInput {
 public:
  explicit FuzzInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Empty() const { return next_ >= bytes_.size(); }
  std::size_t Remaining() const { return Empty() ? 0 : bytes_.size() - next_; }

  std::uint8_t TakeByte();
  // Four bytes, low byte first, as a two's-complement value.
  std::int32_t TakeInt32();
  // Up to `count` bytes (fewer at the end).
  std::string TakeBytes(std::size_t count);
  std::string TakeRest();

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t next_ = 0;
};

// The bytes as a string view (the bytes must outlive it).
std::string_view AsText(std::span<const std::uint8_t> bytes);

}  // namespace kx14::fuzz
