// The picture is a STATIC window that paints the artwork itself.
#include "ui/win32/picture.h"

#include "ui/win32/art.h"
#include "ui/win32/child_window.h"

namespace kx14 {

Win32Picture::Win32Picture(Win32Container* parent, TRect area) {
  Attach(CreateChild(L"STATIC", L"", SS_LEFT, parent, area, TFontRole::frWindow), true);
}

bool Win32Picture::Intercept(UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message == WM_ERASEBKGND) {
    result = 1;
    return true;
  }
  if (message != WM_PAINT) return false;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT area;
  GetClientRect(hwnd_, &area);
  DrawPicture(dc, area);
  EndPaint(hwnd_, &paint);
  result = 0;
  return true;
}

}  // namespace kx14
