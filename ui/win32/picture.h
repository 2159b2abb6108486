#pragma once

// The control that shows the racing picture compiled into the program.

#include <windows.h>

#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// The racing picture, stretched over the control.
class Win32Picture final : public Win32Control {
 public:
  Win32Picture(Win32Container* parent, TRect area);

 protected:
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace kx14
