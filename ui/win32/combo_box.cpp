// The drop-down box's notifications and the drawing of its items.
#include "ui/win32/combo_box.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <optional>

#include "ui/win32/child_window.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14 {

Win32ComboBox::Win32ComboBox(Win32Container* parent, TRect area, int itemHeight, int visibleItems) {
  // A combo box's height includes its dropped-down list.
  area.height += itemHeight * visibleItems + 2;
  Attach(
      CreateChild(L"COMBOBOX", L"",
                  CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
                  parent, area, TFontRole::frWindow),
      false);
  // The list's items and the closed box's text field, both of the item
  // height (the box is then as high as the layout's 18 pixels).
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, itemHeight);
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight);
  SendMessageW(hwnd_, CB_SETMINVISIBLE, static_cast<WPARAM>(visibleItems), 0);
}

void Win32ComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  // The layout's white box; the selection in the system's highlight.
  const TColour face = selected ? FromColorRef(GetSysColor(COLOR_HIGHLIGHT)) : clWindow;
  HBRUSH brush = CreateSolidBrush(ToColorRef(face));
  FillRect(item.hDC, &item.rcItem, brush);
  DeleteObject(brush);
  if (item.itemID != static_cast<UINT>(-1)) {
    // The native item's own text: the list may be redrawn while it is refilled.
    std::wstring text(
        static_cast<std::size_t>(SendMessageW(hwnd_, CB_GETLBTEXTLEN, item.itemID, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(
        0, SendMessageW(hwnd_, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data())))));
    RECT area = item.rcItem;
    area.left += 2;
    SetBkMode(item.hDC, TRANSPARENT);
    const std::optional<TColour> wanted =
        selected ? std::optional(FromColorRef(GetSysColor(COLOR_HIGHLIGHTTEXT))) : std::nullopt;
    SetTextColor(item.hDC, ReadableTextOn(face, wanted));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) != 0) DrawFocusRect(item.hDC, &item.rcItem);
}

void Win32ComboBox::Command(int code) {
  switch (code) {
    case CBN_DROPDOWN:
      UserDroppedDown();
      break;
    case CBN_SELCHANGE:
      UserChose(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
      break;
    case CBN_CLOSEUP:
      // The close-up comes before a keyboard choice is committed: the
      // handler runs from the queue, once the choice is in place.
      if (PostMessageW(GetParent(hwnd_), Win32Container::kCloseUpMessage, 0,
                       reinterpret_cast<LPARAM>(hwnd_)) == 0) {
        UserClosedUp();
      }
      break;
    case Win32Container::kCloseUpMessage:
      UserChose(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
      UserClosedUp();
      break;
    default:
      break;
  }
}

void Win32ComboBox::ShowItems(const std::vector<std::string>& items, int index) {
  SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
  }
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace kx14
