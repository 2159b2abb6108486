// The one place that creates the controls' native child windows.
#include "ui/win32/child_window.h"

#include "ui/win32/style.h"

namespace kx14 {

HWND CreateChild(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 Win32Container* parent, TRect area, TFontRole role) {
  HWND hwnd = CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                              area.left, area.top, area.width, area.height, parent->Handle(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(role)), FALSE);
  return hwnd;
}

}  // namespace kx14
