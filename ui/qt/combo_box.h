#pragma once

#include <QComboBox>

#include "controls/combo_box_control.h"

namespace kx14 {

// The Qt drop-down list of a TComboBoxControl: it shows the control's items
// and selection, and reports the user's choice, the drop-down (before the
// list shows, so a handler can still rebuild the items) and every close-up
// (a choice by mouse or keyboard, or a dismissal; the handler sees the
// chosen entry in either case).
class TComboBox : public QComboBox, public TComboBoxControl {
 public:
  // Items of `itemHeight` pixels, `visibleItems` of them shown when open.
  TComboBox(QWidget* parent, int itemHeight, int visibleItems);

  void showPopup() override;

 protected:
  void ShowItems(const std::vector<std::string>& items, int index) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PreparePopup();
  void CloseUpLater();

  const int itemHeight_;
  QWidget* popup_ = nullptr;
  bool dropped_ = false;
  bool showing_ = false;  // the items are being shown from the control
};

}  // namespace kx14
