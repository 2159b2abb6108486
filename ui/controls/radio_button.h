#pragma once

#include <QRadioButton>
#include <QString>
#include <functional>

namespace kx14 {

// A radio button that follows the selection rule the window relies on:
// selecting it deselects the other radio buttons of the same parent, and its
// OnClick runs only when it becomes selected, whether by a mouse click, by
// the arrow keys or from code. Selecting a button that is already selected
// runs nothing; neither does a button losing its selection.
//
// The radio buttons of one parent form one group. Only the selected button of
// a group is a tab stop; the arrow keys move the selection within the group.
// The whole area of the button takes a click, not only its circle and text.
class TRadioButton : public QRadioButton {
 public:
  TRadioButton(const QString& caption, QWidget* parent);

  bool Checked() const { return isChecked(); }
  // true: selects the button (see above). false: clears it without selecting
  // another one, and runs nothing.
  void SetChecked(bool checked);

  std::function<void(TRadioButton* Sender)> OnClick;
  int Tag = 0;

 protected:
  bool hitButton(const QPoint& pos) const override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void Toggled(bool checked);
  // A button is a tab stop exactly while it is selected.
  void SyncTabStop();
  void SyncGroupTabStops();
};

}  // namespace kx14
