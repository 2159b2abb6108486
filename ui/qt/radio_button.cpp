#include "ui/qt/radio_button.h"

#include <QFocusEvent>

namespace kx14 {

TRadioButton::TRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
  // toggled() comes only on a real change of state. A selection by the user
  // goes to the control's rule; one shown from the control comes back to a
  // control that is selected already and runs nothing.
  connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
    SyncTabStop();
    if (checked) UserSelected();
  });
  SyncTabStop();
}

void TRadioButton::ShowChecked(bool checked) {
  if (checked || !isChecked()) {
    setChecked(checked);
    return;
  }
  // An exclusive group refuses to clear its selected button; lift the
  // exclusivity for the moment it takes.
  setAutoExclusive(false);
  setChecked(false);
  setAutoExclusive(true);
}

std::vector<TRadioButtonControl*> TRadioButton::GroupSiblings() const {
  std::vector<TRadioButtonControl*> siblings;
  if (parentWidget() == nullptr) return siblings;
  for (auto* sibling : parentWidget()->findChildren<TRadioButton*>(Qt::FindDirectChildrenOnly)) {
    if (sibling != this) siblings.push_back(sibling);
  }
  return siblings;
}

void TRadioButton::SyncTabStop() { setFocusPolicy(isChecked() ? Qt::StrongFocus : Qt::ClickFocus); }

void TRadioButton::SyncGroupTabStops() {
  if (parentWidget() == nullptr) return;
  for (auto* sibling : parentWidget()->findChildren<TRadioButton*>(Qt::FindDirectChildrenOnly)) {
    sibling->SyncTabStop();
  }
}

bool TRadioButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void TRadioButton::focusInEvent(QFocusEvent* event) {
  QRadioButton::focusInEvent(event);
  // The base class hands the group's tab stop to whichever button takes the
  // focus, selected or not; the tab stop stays with the selected button.
  SyncGroupTabStops();
}

}  // namespace kx14
