#pragma once

// The track-side window's plain Win32 controls (buttons, labels, the
// drop-down list, list boxes): created as visible children with the
// window's font, their texts set and read in UTF-8.

#include <windows.h>

#include <string>
#include <vector>

namespace kx14::trackside {

// A child of `parent` of window class `windowClass`, with the control id
// `id`, placed later by the window's layout.
HWND NewChild(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
              int id);

void SetText(HWND control, const std::string& text);
std::string GetText(HWND control);

// A drop-down list's items, and the one chosen.
void FillComboBox(HWND list, const std::vector<std::string>& items);
// A list box's lines, replaced; and read back.
void FillListBox(HWND list, const std::vector<std::string>& lines);
std::vector<std::string> ListBoxLines(HWND list);

}  // namespace kx14::trackside
