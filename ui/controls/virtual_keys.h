#pragma once

#include <Qt>

namespace kx14 {

// Key-down handlers receive the key as a virtual-key code and consume it by
// setting it to 0. Only the keys that handlers look at have their own code;
// every other key arrives as kVkOther, which handlers pass on.
inline constexpr int kVkNone = 0;  // consumed
inline constexpr int kVkReturn = 13;
inline constexpr int kVkUp = 38;
inline constexpr int kVkDown = 40;
inline constexpr int kVkOther = 0xFF;

inline int VirtualKeyFromQt(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kVkReturn;
    case Qt::Key_Up:
      return kVkUp;
    case Qt::Key_Down:
      return kVkDown;
    default:
      return kVkOther;
  }
}

}  // namespace kx14
