#pragma once

// The window's captions, and the opaque labels without text that read as
// drop shadows.

#include <string>

#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// A static caption; a shadow label is one without text in an opaque face.
class Win32Label final : public Win32Control {
 public:
  Win32Label(Win32Container* parent, const std::string& caption, TRect area, TFontRole role);
};

}  // namespace kx14
