// The Enter handling that the edit field and the glyph button share.
#include "ui/win32/dialog_code.h"

namespace kx14 {

LRESULT DialogCodeTakingEnter(LRESULT own, LPARAM lParam) {
  const auto* queued = reinterpret_cast<const MSG*>(lParam);
  const bool enter =
      queued != nullptr && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN;
  return enter ? own | DLGC_WANTMESSAGE : own;
}

}  // namespace kx14
