#include "ui/win32/control.h"

#include "ui/win32/style.h"

namespace kx14 {
namespace {

const wchar_t* const kContainerClass = L"KX14Container";

void RegisterContainerClass(WNDPROC procedure) {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
  windowClass.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  windowClass.lpszClassName = kContainerClass;
  RegisterClassExW(&windowClass);
  registered = true;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

}  // namespace

Win32Control* Win32Control::FromHandle(HWND hwnd) {
  return hwnd == nullptr ? nullptr
                         : reinterpret_cast<Win32Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Win32Control::Attach(HWND hwnd, bool subclass) {
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (subclass) {
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  }
}

LRESULT Win32Control::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(original_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Control::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Control* control = FromHandle(hwnd);
  LRESULT result = 0;
  if (control->Intercept(message, wParam, lParam, result)) return result;
  return control->CallOriginal(message, wParam, lParam);
}

void Win32Control::SetFace(TColour face) {
  face_ = face;
  if (brush_ != nullptr) DeleteObject(brush_);
  brush_ = CreateSolidBrush(ToColorRef(face));
}

HBRUSH Win32Control::PrepareColours(HDC dc, TColour behind) const {
  // The text reads on the face even when the system's colours are dark.
  SetTextColor(dc, ReadableTextOn(face_.value_or(behind), text_));
  if (!face_) return nullptr;
  SetBkColor(dc, ToColorRef(*face_));
  return brush_;
}

Win32Container::~Win32Container() { DestroyNow(); }

void Win32Container::DestroyNow() {
  // The windows go before the objects their procedures look up.
  if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void Win32Container::CreateContainer(HWND parent, const RECT& area, DWORD style, DWORD exStyle,
                                     bool bevel, const wchar_t* caption) {
  RegisterContainerClass(&ContainerProc);
  bevel_ = bevel;
  CreateWindowExW(exStyle, kContainerClass, caption, style, area.left, area.top,
                  area.right - area.left, area.bottom - area.top, parent, nullptr,
                  GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK Win32Container::ContainerProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32Container*>(
        reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->Attach(hwnd, false);
  }
  auto* self = static_cast<Win32Container*>(FromHandle(hwnd));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT Win32Container::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (Win32Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->Command(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_HSCROLL:
      if (Win32Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->Scroll(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (Win32Control* control = FromHandle(item->hwndItem)) {
        control->DrawItem(*item);
        return TRUE;
      }
      break;
    }
    case kCloseUpMessage:
      if (Win32Control* control = FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->Command(static_cast<int>(kCloseUpMessage));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      const Win32Control* control = FromHandle(reinterpret_cast<HWND>(lParam));
      HBRUSH brush =
          control != nullptr ? control->PrepareColours(dc, Face().value_or(clBtnFace)) : nullptr;
      if (brush == nullptr && message != WM_CTLCOLOREDIT && message != WM_CTLCOLORLISTBOX) {
        // Labels and radio buttons show the container's face.
        SetBkMode(dc, TRANSPARENT);
        brush = FaceBrush();
      }
      if (brush != nullptr) return reinterpret_cast<LRESULT>(brush);
      break;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole area
    case WM_PAINT:
      Paint();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32Container::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT area;
  GetClientRect(hwnd_, &area);
  HBRUSH face = CreateSolidBrush(ToColorRef(Face().value_or(clBtnFace)));
  FillRect(dc, &area, face);
  DeleteObject(face);
  if (bevel_) {
    HPEN light = CreatePen(PS_SOLID, 1, ToColorRef(clBtnHighlight));
    HPEN shadow = CreatePen(PS_SOLID, 1, ToColorRef(clBtnShadow));
    HGDIOBJ old = SelectObject(dc, light);
    Line(dc, 0, area.bottom - 1, 0, 0);
    Line(dc, 0, 0, area.right, 0);
    SelectObject(dc, shadow);
    Line(dc, area.right - 1, 0, area.right - 1, area.bottom - 1);
    Line(dc, 0, area.bottom - 1, area.right, area.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(shadow);
  }
  EndPaint(hwnd_, &paint);
}

}  // namespace kx14
