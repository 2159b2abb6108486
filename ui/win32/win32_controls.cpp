#include "ui/win32/win32_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "ui/win32/art.h"
#include "ui/win32/style.h"
#include "ui/win32/text.h"

namespace kx14 {
namespace {

// The focus went to another control of the same window (not to another
// window, nor away with the window's deactivation).
bool FocusStaysInWindow(HWND from, WPARAM to) {
  const auto next = reinterpret_cast<HWND>(to);
  return next != nullptr && GetAncestor(next, GA_ROOT) == GetAncestor(from, GA_ROOT);
}

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

// The answer to WM_GETDLGCODE of a control that takes Enter itself: its own
// code, plus "this message" when the dialog manager asks about Enter.
LRESULT DialogCodeTakingEnter(LRESULT own, LPARAM lParam) {
  const auto* queued = reinterpret_cast<const MSG*>(lParam);
  const bool enter =
      queued != nullptr && queued->message == WM_KEYDOWN && queued->wParam == VK_RETURN;
  return enter ? own | DLGC_WANTMESSAGE : own;
}

TShiftState CurrentShift() {
  unsigned shift = ssNone;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return static_cast<TShiftState>(shift);
}

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

HWND CreateChild(const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 Win32Container* parent, TRect area, TFontRole role) {
  HWND hwnd = CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                              area.left, area.top, area.width, area.height, parent->Handle(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(role)), FALSE);
  return hwnd;
}

Win32Panel::Win32Panel(Win32Container* parent, TRect area, TColour face, bool shown) {
  SetFace(face);
  const RECT rect{area.left, area.top, area.left + area.width, area.top + area.height};
  CreateContainer(parent->Handle(), rect, WS_CHILD | WS_CLIPSIBLINGS | (shown ? WS_VISIBLE : 0u),
                  WS_EX_CONTROLPARENT, true, L"");
}

Win32Label::Win32Label(Win32Container* parent, const std::string& caption, TRect area,
                       TFontRole role) {
  const std::wstring text = WideFromUtf8(caption);
  if (!text.empty() && area.width == 0) {
    // Sized to its text, as an auto-sized label.
    HDC dc = GetDC(parent->Handle());
    HGDIOBJ old = SelectObject(dc, FontFor(role));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(parent->Handle(), dc);
    area.width = size.cx;
    area.height = size.cy;
  }
  Attach(CreateChild(L"STATIC", text, SS_LEFT | SS_NOPREFIX, parent, area, role), false);
}

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

Win32RadioButton::Win32RadioButton(Win32Container* parent, const std::string& caption, TRect area)
    : group_(parent) {
  // The first button of a panel starts its group for the arrow keys.
  const DWORD first = parent->RadioGroup().empty() ? WS_GROUP : 0;
  Attach(CreateChild(L"BUTTON", WideFromUtf8(caption), BS_RADIOBUTTON | first, parent, area,
                     TFontRole::frWindow),
         true);
  group_->RadioGroup().push_back(this);
}

bool Win32RadioButton::Intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_LBUTTONDOWN:
      // The button takes the focus here; the click selects it on release.
      pressing_ = true;
      result = CallOriginal(message, wParam, lParam);
      pressing_ = false;
      return true;
    case WM_SETFOCUS:
      result = CallOriginal(message, wParam, lParam);
      if (!pressing_ && !Checked()) UserSelected();
      return true;
    default:
      return false;
  }
}

Win32RadioButton::~Win32RadioButton() {
  auto& group = group_->RadioGroup();
  group.erase(std::remove(group.begin(), group.end(), this), group.end());
}

void Win32RadioButton::Command(int code) {
  if (code == BN_CLICKED) UserSelected();
}

void Win32RadioButton::ShowChecked(bool checked) {
  SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  // Only the selected button of a group is a tab stop.
  LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = checked ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
  SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
}

std::vector<TRadioButtonControl*> Win32RadioButton::GroupSiblings() const {
  std::vector<TRadioButtonControl*> siblings;
  for (TRadioButtonControl* button : group_->RadioGroup()) {
    if (button != this) siblings.push_back(button);
  }
  return siblings;
}

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

Win32StaticText::Win32StaticText(Win32Container* parent, TRect area) {
  Attach(CreateChild(L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_SUNKEN, parent, area,
                     TFontRole::frWindow),
         false);
}

void Win32StaticText::ShowText(const std::string& text) {
  SetWindowTextW(hwnd_, WideFromUtf8(text).c_str());
}

}  // namespace kx14
