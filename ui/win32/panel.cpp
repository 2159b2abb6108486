// A panel is a container window of the window's own class (see control.h).
#include "ui/win32/panel.h"

namespace kx14 {

Win32Panel::Win32Panel(Win32Container* parent, TRect area, TColour face, bool shown) {
  SetFace(face);
  const RECT rect{area.left, area.top, area.left + area.width, area.top + area.height};
  CreateContainer(parent->Handle(), rect, WS_CHILD | WS_CLIPSIBLINGS | (shown ? WS_VISIBLE : 0u),
                  WS_EX_CONTROLPARENT, true, L"");
}

}  // namespace kx14
