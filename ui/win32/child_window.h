#pragma once

// How a control's native window is made: a visible child of its container,
// placed where the layout says and given the font of its role. Every
// control but the panel is created this way.

#include <windows.h>

#include <string>

#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// Creates a child window of `parent` at `area` and sets the font of `role`.
HWND CreateChild(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 Win32Container* parent, TRect area, TFontRole role);

}  // namespace kx14
