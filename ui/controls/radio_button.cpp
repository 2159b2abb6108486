#include "ui/controls/radio_button.h"

namespace kx14 {

TRadioButton::TRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent) {
  // toggled() comes only on a real change of state, after the other buttons
  // of the group have been cleared: exactly when the click handler is due. A
  // click on the selected button emits clicked() but no toggled().
  connect(this, &QAbstractButton::toggled, this, [this](bool checked) { BecameChecked(checked); });
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

void TRadioButton::BecameChecked(bool checked) {
  if (checked && OnClick) OnClick(this);
}

}  // namespace kx14
