// The eight value editors: a scroll bar holds the value, the edit field
// beside it shows it and takes a typed one. Each handler finds its partner
// through the sender's link, so one handler serves every pair.

#include "ui/controls/edit.h"
#include "ui/controls/scroll_bar.h"
#include "ui/main_form.h"
#include "ui/typed_number.h"

namespace kx14 {
namespace {

constexpr QChar kCarriageReturn(13);

void ShowInPartner(TScrollBar* bar, int shown) {
  if (bar->PartnerEdit != nullptr) bar->PartnerEdit->SetText(QString::number(shown));
}

}  // namespace

void TMainForm::BARChange(TScrollBar* Sender) { ShowInPartner(Sender, Sender->Position()); }

void TMainForm::BARChange2(TScrollBar* Sender) { ShowInPartner(Sender, Sender->Position()); }

void TMainForm::BARChange3(TScrollBar* Sender) {
  // MAXPWR travels to the device in steps of two: the field shows the
  // largest even number not above the position, the position stays.
  ShowInPartner(Sender, Sender->Position() / 2 * 2);
}

void TMainForm::EDITExit(TEdit* Sender) {
  TScrollBar* bar = Sender->PartnerBar;
  if (bar == nullptr) return;
  const int typed = ReadTypedNumber(Sender->Text().toStdString(), bar->Position());
  bar->SetPosition(typed);  // clamps; runs the bar's own handler on a change
  // Always the plain position afterwards, also for the MAXPWR pair, so that
  // a commit shows exactly the value that was stored.
  BARChange(bar);
}

void TMainForm::EDITKeyPress(TEdit* Sender, QChar& Key) {
  // Enter commits and leaves the focus in the field; the key goes on.
  if (Key == kCarriageReturn) EDITExit(Sender);
}

void TMainForm::EDITMouseUp(TEdit* Sender, Qt::MouseButton) {
  Sender->SetSelection(0, static_cast<int>(Sender->Text().size()));
}

}  // namespace kx14
