#pragma once

// The flat step buttons beside the identifier fields.

#include <windows.h>

#include <string>

#include "controls/button_controls.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// A flat step button drawn by the program: its caption centred in its text
// colour over its parent's face, sunken while pressed. It is a window class
// of its own that never takes the focus (a BUTTON takes it on mouse-down,
// which would commit the field being edited and cancel the press when the
// focus went back). A click is a press and release over the button.
class Win32SpeedButton final : public Win32Control, public TSpeedButtonControl {
 public:
  Win32SpeedButton(Win32Container* parent, const std::string& caption, TRect area);
  // Draws the button as it looks now into `dc` (also for WM_PRINTCLIENT).
  void Draw(HDC dc) const;

 protected:
  bool Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  bool PointerInside(LPARAM lParam) const;
  void SetPressed(bool pressed);
  void Release(LPARAM lParam);

  std::wstring caption_;
  bool tracking_ = false;  // the left button went down here and is held
  bool pressed_ = false;   // drawn sunken: tracking and the pointer inside
};

}  // namespace kx14
