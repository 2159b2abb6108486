#pragma once

// Read-only multi-line text that the program sets (the preset comment on
// the picture panel).

#include <string>

#include "controls/button_controls.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

class Win32StaticText final : public Win32Control, public TStaticTextControl {
 public:
  Win32StaticText(Win32Container* parent, TRect area);

 protected:
  void ShowText(const std::string& text) override;
};

}  // namespace kx14
