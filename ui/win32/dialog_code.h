#pragma once

// The answer to the dialog manager's question about a control's keys, for
// the controls that handle Enter themselves (the edit field and the glyph
// button).

#include <windows.h>

namespace kx14 {

// The answer to WM_GETDLGCODE of a control that takes Enter itself: its own
// code, plus "this message" when the dialog manager asks about Enter.
LRESULT DialogCodeTakingEnter(LRESULT own, LPARAM lParam);

}  // namespace kx14
