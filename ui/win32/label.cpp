// A label is a STATIC window; one without a width is sized to its caption.
#include "ui/win32/label.h"

#include <windows.h>

#include "ui/win32/child_window.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14 {

Win32Label::Win32Label(Win32Container* parent, const std::string& caption, TRect area,
                       TFontRole role) {
  const std::wstring text = WideFromUtf8(caption);
  if (!text.empty() && area.width == 0) {
    // Sized to its text, as an auto-sized label.
    HDC dc = GetDC(parent->Handle());
    HGDIOBJ old = SelectObject(dc, FontFor(role));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(parent->Handle(), dc);
    area.width = size.cx;
    area.height = size.cy;
  }
  Attach(CreateChild(L"STATIC", text, SS_LEFT | SS_NOPREFIX, parent, area, role), false);
}

}  // namespace kx14
