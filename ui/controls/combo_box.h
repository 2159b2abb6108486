#pragma once

#include <QComboBox>
#include <functional>

namespace kx14 {

// A drop-down list without an edit field, with the two events of its list:
//  - OnDropDown runs when the list is about to drop down, before it shows,
//    so a handler can still rebuild the items;
//  - OnCloseUp runs each time the dropped-down list closes: after a choice
//    by mouse or keyboard, and also when it is dismissed without one (Escape,
//    a click elsewhere). It always sees the entry that was chosen.
// Changing the selection from code, or with the arrow keys while the list is
// closed, raises neither event.
class TComboBox : public QComboBox {
 public:
  // Items of `itemHeight` pixels, `visibleItems` of them shown when open.
  TComboBox(QWidget* parent, int itemHeight, int visibleItems);

  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index) { setCurrentIndex(index); }

  std::function<void(TComboBox* Sender)> OnDropDown;
  std::function<void(TComboBox* Sender)> OnCloseUp;

  void showPopup() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PreparePopup();
  void CloseUpLater();

  const int itemHeight_;
  QWidget* popup_ = nullptr;
  bool dropped_ = false;
};

}  // namespace kx14
