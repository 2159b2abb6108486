#pragma once

// Whether a control that loses the keyboard focus was left for another
// control: the scroll bar and the edit field report an exit only then.

#include <windows.h>

namespace kx14 {

// The focus went to another control of the same window (not to another
// window, nor away with the window's deactivation).
bool FocusStaysInWindow(HWND from, WPARAM to);

}  // namespace kx14
