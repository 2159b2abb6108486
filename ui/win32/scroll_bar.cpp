// The scroll bar's notifications turned into moves of the neutral control.
#include "ui/win32/scroll_bar.h"

#include "ui/win32/child_window.h"
#include "ui/win32/focus_exit.h"

namespace kx14 {

Win32ScrollBar::Win32ScrollBar(Win32Container* parent, TRect area) {
  Attach(CreateChild(L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, parent, area, TFontRole::frWindow),
         true);
  ShowRange(Min(), Max(), SmallChange(), LargeChange());
  ShowPosition(Position());
}

void Win32ScrollBar::ShowPosition(int position) {
  SCROLLINFO info{sizeof(info), SIF_POS, 0, 0, 0, position, 0};
  SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
}

void Win32ScrollBar::ShowRange(int min, int max, int, int) {
  SCROLLINFO info{sizeof(info), SIF_RANGE, min, max, 0, 0, 0};
  SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
}

void Win32ScrollBar::Scroll(int code) {
  switch (code) {
    case SB_LINELEFT:
      UserMoved(Position() - SmallChange());
      break;
    case SB_LINERIGHT:
      UserMoved(Position() + SmallChange());
      break;
    case SB_PAGELEFT:
      UserMoved(Position() - LargeChange());
      break;
    case SB_PAGERIGHT:
      UserMoved(Position() + LargeChange());
      break;
    case SB_LEFT:
      UserMoved(Min());
      break;
    case SB_RIGHT:
      UserMoved(Max());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(hwnd_, SB_CTL, &info);
      UserMoved(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

bool Win32ScrollBar::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_KILLFOCUS) return false;
  result = CallOriginal(message, wParam, lParam);
  if (FocusStaysInWindow(hwnd_, wParam)) UserLeft();
  return true;
}

}  // namespace kx14
