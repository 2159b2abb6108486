// The glyph button: a BUTTON showing the artwork's bitmap, clicked by
// the mouse, Space or Enter.
#include "ui/win32/bitmap_button.h"

#include "ui/win32/art.h"
#include "ui/win32/child_window.h"
#include "ui/win32/dialog_code.h"

namespace kx14 {

Win32BitBtn::Win32BitBtn(Win32Container* parent, TRect area, TGlyph glyph) {
  Attach(CreateChild(L"BUTTON", L"", BS_PUSHBUTTON | BS_BITMAP | WS_TABSTOP, parent, area,
                     TFontRole::frCommandButton),
         true);
  glyph_ = GlyphBitmap(glyph, clBtnFace);
  if (glyph_ != nullptr) {
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph_));
  }
}

Win32BitBtn::~Win32BitBtn() {
  if (glyph_ != nullptr) DeleteObject(glyph_);
}

void Win32BitBtn::Command(int code) {
  if (code == BN_CLICKED) UserClicked();
}

bool Win32BitBtn::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_GETDLGCODE) {
    // Enter reaches the button instead of the dialog manager's default
    // button handling, which this window does not use.
    result = DialogCodeTakingEnter(CallOriginal(message, wParam, lParam), lParam);
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    UserClicked();
    result = 0;
    return true;
  }
  return false;
}

}  // namespace kx14
