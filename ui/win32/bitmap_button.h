#pragma once

// The command buttons that show a glyph (Program, Read, Exit).

#include <windows.h>

#include "controls/button_controls.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

class Win32BitBtn final : public Win32Control, public TBitBtnControl {
 public:
  Win32BitBtn(Win32Container* parent, TRect area, TGlyph glyph);
  ~Win32BitBtn() override;
  void Command(int code) override;

 protected:
  // Enter on the focused button clicks it (Space does so natively).
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HBITMAP glyph_ = nullptr;
};

}  // namespace kx14
