#pragma once

// The horizontal scroll bars that set a value: a native SCROLLBAR that
// reports the user's moves and exits to its TScrollBarControl.

#include <windows.h>

#include "controls/scroll_bar_control.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

class Win32ScrollBar final : public Win32Control, public TScrollBarControl {
 public:
  Win32ScrollBar(Win32Container* parent, TRect area);
  void Scroll(int code) override;

 protected:
  void ShowPosition(int position) override;
  void ShowRange(int min, int max, int smallChange, int largeChange) override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace kx14
