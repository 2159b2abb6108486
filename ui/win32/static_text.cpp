// The static text is a sunken STATIC window showing the control's text.
#include "ui/win32/static_text.h"

#include "ui/win32/child_window.h"
#include "ui/win32/text.h"

namespace kx14 {

Win32StaticText::Win32StaticText(Win32Container* parent, TRect area) {
  Attach(CreateChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, parent, area,
                     TFontRole::frWindow),
         false);
}

void Win32StaticText::ShowText(const std::string& text) {
  SetWindowTextW(hwnd_, WideFromUtf8(text).c_str());
}

}  // namespace kx14
