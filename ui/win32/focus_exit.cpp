// The focus check that the scroll bar and the edit field share.
#include "ui/win32/focus_exit.h"

namespace kx14 {

bool FocusStaysInWindow(HWND from, WPARAM to) {
  const auto next = reinterpret_cast<HWND>(to);
  return next != nullptr && GetAncestor(next, GA_ROOT) == GetAncestor(from, GA_ROOT);
}

}  // namespace kx14
