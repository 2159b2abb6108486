// The radio button's clicks and keyboard focus turned into selections.
#include "ui/win32/radio_button.h"

#include <algorithm>

#include "ui/win32/child_window.h"
#include "ui/win32/text.h"

namespace kx14 {

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

}  // namespace kx14
