#include "ui/controls/radio_button.h"

#include <QFocusEvent>

namespace kx14 {

TRadioButton::TRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
  // toggled() comes only on a real change of state, after the other buttons
  // of the group have been cleared: exactly when the click handler is due. A
  // click on the selected button emits clicked() but no toggled().
  connect(this, &QAbstractButton::toggled, this, [this](bool checked) { Toggled(checked); });
  SyncTabStop();
}

void TRadioButton::SetChecked(bool checked) {
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

void TRadioButton::Toggled(bool checked) {
  SyncTabStop();
  if (checked && OnClick) OnClick(this);
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
