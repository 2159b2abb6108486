#include "ui/trackside/win32/child_control.h"

#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14::trackside {

HWND NewChild(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
              int id) {
  HWND control = CreateWindowExW(
      0, windowClass, WideFromUtf8(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(TFontRole::frWindow)), TRUE);
  return control;
}

void SetText(HWND control, const std::string& text) {
  // Setting the same text again would repaint a label for nothing on every tick.
  if (GetText(control) != text) SetWindowTextW(control, WideFromUtf8(text).c_str());
}

std::string GetText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return Utf8FromWide(text);
}

void FillComboBox(HWND list, const std::vector<std::string>& items) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
  }
}

void FillListBox(HWND list, const std::vector<std::string>& lines) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(line).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::string> ListBoxLines(HWND list) {
  std::vector<std::string> lines;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT line = 0; line < count; ++line) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, line, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()))));
    lines.push_back(Utf8FromWide(text));
  }
  return lines;
}

}  // namespace kx14::trackside
