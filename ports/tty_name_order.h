#pragma once

// The order in which detected serial devices take COM numbers: the kinds
// ttyS, ttyUSB, ttyACM, ttyAMA first, in that order, then every other kind by
// its name; within a kind by number, numerically (ttyUSB2 before ttyUSB10).
// The kind is the name without its trailing digits, the number those digits.

#include <string_view>

namespace kx14 {

// Strict weak order over kernel tty names (e.g. "ttyUSB0"): true when a takes
// its COM number before b. Names that only differ in leading zeros of their
// number fall back to plain text order, so the order is total.
bool TtyNameLess(std::string_view a, std::string_view b) noexcept;

}  // namespace kx14
