// The step button's window class, its drawing and its mouse handling.
#include "ui/win32/speed_button.h"

#include "ui/win32/child_window.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14 {
namespace {

// The window class of the step buttons: nothing of its own but a cursor;
// Win32SpeedButton handles its messages.
const wchar_t* StepButtonClass() {
  static const wchar_t* const name = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.lpszClassName = L"KX14StepButton";
    RegisterClassExW(&windowClass);
    return windowClass.lpszClassName;
  }();
  return name;
}

}  // namespace

Win32SpeedButton::Win32SpeedButton(Win32Container* parent, const std::string& caption, TRect area)
    : caption_(WideFromUtf8(caption)) {
  Attach(CreateChild(StepButtonClass(), caption_, 0, parent, area, TFontRole::frStepButton), true);
}

void Win32SpeedButton::Draw(HDC dc) const {
  RECT area;
  GetClientRect(hwnd_, &area);
  const Win32Control* parent = FromHandle(GetParent(hwnd_));
  const TColour face = parent != nullptr ? parent->Face().value_or(clBtnFace) : clBtnFace;
  HBRUSH brush = CreateSolidBrush(ToColorRef(face));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  if (pressed_) DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
  RECT text = area;
  if (pressed_) OffsetRect(&text, 1, 1);
  HGDIOBJ old = SelectObject(dc, FontFor(TFontRole::frStepButton));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ReadableTextOn(face, TextColour().value_or(clWindowText)));
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
}

bool Win32SpeedButton::PointerInside(LPARAM lParam) const {
  RECT area;
  GetClientRect(hwnd_, &area);
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  return PtInRect(&area, point) != 0;
}

void Win32SpeedButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void Win32SpeedButton::Release(LPARAM lParam) {
  const bool click = tracking_ && PointerInside(lParam);
  tracking_ = false;
  SetPressed(false);
  if (GetCapture() == hwnd_) ReleaseCapture();
  if (click) UserClicked();
}

bool Win32SpeedButton::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd_, &paint);
      Draw(dc);
      EndPaint(hwnd_, &paint);
      return true;
    }
    case WM_PRINTCLIENT:
      Draw(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_ERASEBKGND:
      result = 1;  // WM_PAINT fills the whole button
      return true;
    case WM_LBUTTONDOWN:
      // No SetFocus: the control that has the focus keeps it.
      SetCapture(hwnd_);
      tracking_ = true;
      SetPressed(true);
      return true;
    case WM_MOUSEMOVE:
      if (tracking_) SetPressed(PointerInside(lParam));
      return true;
    case WM_LBUTTONUP:
      Release(lParam);
      return true;
    case WM_CAPTURECHANGED:
      // Capture taken away (another window, a message box): no click.
      if (reinterpret_cast<HWND>(lParam) != hwnd_) {
        tracking_ = false;
        SetPressed(false);
      }
      return true;
    default:
      return false;
  }
}

}  // namespace kx14
