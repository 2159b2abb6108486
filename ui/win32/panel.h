#pragma once

// The panels that group the window's controls: containers with a face
// colour and a raised bevel, shown or hidden as the form says.

#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

class Win32Panel final : public Win32Container {
 public:
  Win32Panel(Win32Container* parent, TRect area, TColour face, bool shown);
};

}  // namespace kx14
