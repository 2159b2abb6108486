#include "controls/combo_box_control.h"

#include <algorithm>

namespace kx14 {
namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualCaseless(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

}  // namespace

void TComboBoxControl::SetItemIndex(int index) {
  index_ = index >= 0 && index < Count() ? index : -1;
  ShowItems(items_, index_);
}

std::string TComboBoxControl::Text() const { return index_ >= 0 ? Item(index_) : std::string(); }

void TComboBoxControl::Clear() {
  items_.clear();
  index_ = -1;
  ShowItems(items_, index_);
}

void TComboBoxControl::AddItem(std::string item) {
  items_.push_back(std::move(item));
  ShowItems(items_, index_);
}

void TComboBoxControl::InsertItem(int index, std::string item) {
  const auto at = static_cast<std::size_t>(std::clamp(index, 0, Count()));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  if (index_ >= static_cast<int>(at)) ++index_;
  ShowItems(items_, index_);
}

int TComboBoxControl::FindCaseless(std::string_view text) const {
  for (int i = 0; i < Count(); ++i) {
    if (EqualCaseless(Item(i), text)) return i;
  }
  return -1;
}

void TComboBoxControl::UserChose(int index) { index_ = index >= 0 && index < Count() ? index : -1; }

void TComboBoxControl::UserDroppedDown() {
  if (OnDropDown) OnDropDown(this);
}

void TComboBoxControl::UserClosedUp() {
  if (OnCloseUp) OnCloseUp(this);
}

}  // namespace kx14
