#pragma once

#include <cstdint>

namespace kx14 {

// Key-down handlers receive the key as a virtual-key code and consume it by
// setting it to 0. Only the keys that handlers look at have their own code;
// every other key arrives as kVkOther, which handlers pass on.
inline constexpr int kVkNone = 0;  // consumed
inline constexpr int kVkReturn = 13;
inline constexpr int kVkUp = 38;
inline constexpr int kVkDown = 40;
inline constexpr int kVkOther = 0xFF;

// The modifier keys held with a key (handlers of this window ignore them).
enum TShiftState : std::uint8_t { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4 };

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

}  // namespace kx14
