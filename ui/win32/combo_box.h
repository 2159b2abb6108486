#pragma once

// The port list's drop-down box, whose items the program draws itself.

#include <windows.h>

#include <string>
#include <vector>

#include "controls/combo_box_control.h"
#include "ui/form/form_style.h"
#include "ui/win32/control.h"

namespace kx14 {

// The port list: a drop-down list whose items the program draws as plain
// text at a fixed height, `visibleItems` of them shown when it is open (the
// version 6 list takes that count, not the height reserved for it).
class Win32ComboBox final : public Win32Control, public TComboBoxControl {
 public:
  Win32ComboBox(Win32Container* parent, TRect area, int itemHeight, int visibleItems);
  void Command(int code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  void ShowItems(const std::vector<std::string>& items, int index) override;
};

}  // namespace kx14
