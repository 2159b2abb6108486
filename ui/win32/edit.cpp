// The edit field's messages turned into the neutral control's events; the
// key mapping and the modifier state serve the edit field alone.
#include "ui/win32/edit.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "controls/virtual_keys.h"
#include "ui/win32/child_window.h"
#include "ui/win32/dialog_code.h"
#include "ui/win32/focus_exit.h"
#include "ui/win32/text.h"

namespace kx14 {
namespace {

int VirtualKey(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      return kVkReturn;
    case VK_UP:
      return kVkUp;
    case VK_DOWN:
      return kVkDown;
    default:
      return kVkOther;
  }
}

TShiftState CurrentShift() {
  unsigned shift = ssNone;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return static_cast<TShiftState>(shift);
}

}  // namespace

Win32Edit::Win32Edit(Win32Container* parent, TRect area, TFontRole role) {
  Attach(CreateChild(L"EDIT", L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_BORDER, parent, area,
                     role),
         true);
}

void Win32Edit::SelectAll() { SendMessageW(hwnd_, EM_SETSEL, 0, -1); }

void Win32Edit::SetFocus() { ::SetFocus(hwnd_); }

std::string Win32Edit::NativeText() const {
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return Utf8FromWide(text);
}

void Win32Edit::ShowText(const std::string& text) {
  SetWindowTextW(hwnd_, WideFromUtf8(text).c_str());
}

void Win32Edit::ShowCharCase(TEditCharCase charCase) {
  // The style turns typed letters to upper case; SetText does it itself for
  // text set from code.
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = charCase == TEditCharCase::ecUpperCase ? (style | ES_UPPERCASE) : (style & ~ES_UPPERCASE);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
}

bool Win32Edit::KeyDown(WPARAM key) {
  if (!OnKeyDown) return false;
  int code = VirtualKey(key);
  OnKeyDown(this, code, CurrentShift());
  return code == kVkNone;
}

bool Win32Edit::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter reaches the field (its handlers commit on it) instead of the
      // dialog manager; Tab still moves on.
      result = DialogCodeTakingEnter(CallOriginal(message, wParam, lParam), lParam);
      return true;
    case WM_KEYDOWN:
      // Set afresh at every key: a consumed key without a character (an
      // arrow) must not leave the flag for the next key's character.
      swallowChar_ = KeyDown(wParam);
      if (!swallowChar_) return false;
      result = 0;
      return true;
    case WM_CHAR: {
      if (std::exchange(swallowChar_, false)) {
        result = 0;
        return true;
      }
      if (!OnKeyPress) return false;
      char32_t key = static_cast<char32_t>(wParam);
      OnKeyPress(this, key);
      result = key == 0 ? 0 : CallOriginal(message, static_cast<WPARAM>(key), lParam);
      return true;
    }
    case WM_KILLFOCUS:
      result = CallOriginal(message, wParam, lParam);
      if (OnExit && FocusStaysInWindow(hwnd_, wParam)) OnExit(this);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      result = CallOriginal(message, wParam, lParam);
      if (OnMouseUp) {
        OnMouseUp(this, message == WM_LBUTTONUP   ? TMouseButton::mbLeft
                        : message == WM_RBUTTONUP ? TMouseButton::mbRight
                                                  : TMouseButton::mbMiddle);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace kx14
