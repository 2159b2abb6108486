#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kx14 {

// A drop-down list without an edit field, as the window's handlers see it
// under every toolkit: its items (UTF-8), the selected index, and the two
// events of its list:
//  - OnDropDown runs when the list is about to drop down, before it shows,
//    so a handler can still rebuild the items;
//  - OnCloseUp runs each time the dropped-down list closes: after a choice
//    by mouse or keyboard, and also when it is dismissed without one. It
//    always sees the entry that was chosen.
// Changing the selection from code, or with the arrow keys while the list is
// closed, raises neither event.
class TComboBoxControl {
 public:
  virtual ~TComboBoxControl() = default;

  int ItemIndex() const { return index_; }
  // An index outside the items selects nothing (-1).
  void SetItemIndex(int index);
  // The selected item's text; empty when nothing is selected.
  std::string Text() const;
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void Clear();
  void AddItem(std::string item);
  void InsertItem(int index, std::string item);
  // The first item whose whole text equals `text`, ASCII letter case
  // ignored; -1 when there is none.
  int FindCaseless(std::string_view text) const;

  std::function<void(TComboBoxControl* Sender)> OnDropDown;
  std::function<void(TComboBoxControl* Sender)> OnCloseUp;

 protected:
  virtual void ShowItems(const std::vector<std::string>& items, int index) = 0;

  // Reports from the native list.
  void UserChose(int index);
  void UserDroppedDown();
  void UserClosedUp();

 private:
  std::vector<std::string> items_;
  int index_ = -1;
};

}  // namespace kx14
