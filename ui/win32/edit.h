#pragma once

// The edit fields: a native EDIT that hands its keys, typed characters,
// focus exits and mouse releases to its TEditControl.

#include <windows.h>

#include <string>

#include "controls/edit_control.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

class Win32Edit final : public Win32Control, public TEditControl {
 public:
  Win32Edit(Win32Container* parent, TRect area, TFontRole role);
  void SelectAll() override;
  void SetFocus() override;

 protected:
  std::string NativeText() const override;
  void ShowText(const std::string& text) override;
  void ShowCharCase(TEditCharCase charCase) override;
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool KeyDown(WPARAM key);
  bool swallowChar_ = false;  // the WM_CHAR of a key that OnKeyDown consumed
};

}  // namespace kx14
