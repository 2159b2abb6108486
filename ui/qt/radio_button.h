#pragma once

#include <QRadioButton>
#include <QString>
#include <vector>

#include "controls/radio_button_control.h"

namespace kx14 {

// The Qt radio button of a TRadioButtonControl: it shows the control's
// selection and hands a selection by the user (a click, the arrow keys) to
// the control's rule. The radio buttons of one parent form one group. Only
// the selected button of a group is a tab stop; the arrow keys move the
// selection within the group. The whole area of the button takes a click,
// not only its circle and text.
class TRadioButton : public QRadioButton, public TRadioButtonControl {
 public:
  TRadioButton(const QString& caption, QWidget* parent);

 protected:
  void ShowChecked(bool checked) override;
  std::vector<TRadioButtonControl*> GroupSiblings() const override;
  bool hitButton(const QPoint& pos) const override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  // A button is a tab stop exactly while it is selected.
  void SyncTabStop();
  void SyncGroupTabStops();
};

}  // namespace kx14
