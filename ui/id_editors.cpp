// The two identifier editors. The value is the field's Tag (0..16777215);
// the text only shows it and takes typed input, which counts once it has
// been committed (Enter or leaving the field).

#include <algorithm>

#include "ui/controls/edit.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/virtual_keys.h"
#include "ui/main_form.h"
#include "ui/typed_number.h"

namespace kx14 {
namespace {

constexpr std::int32_t kMaxId = 16777215;  // 24 bits

void ShowId(TEdit* field, std::int32_t value) {
  field->Tag = value;
  field->SetText(QString::number(value));
}

}  // namespace

void TMainForm::YOU_BTNClick(TSpeedButton* Sender) { StepId(Sender, YOUID_INC, YOUID_DEC); }

void TMainForm::MYID_BTNClick(TSpeedButton* Sender) { StepId(Sender, MYID_INC, MYID_DEC); }

void TMainForm::StepId(TSpeedButton* pressed, TSpeedButton* plus, TSpeedButton* minus) {
  TEdit* field = pressed->PartnerEdit;
  if (field == nullptr) return;
  // Taking the focus commits whatever the control that had it was editing.
  field->setFocus();
  // The stored value, not the text: text typed here since the last commit
  // is dropped.
  std::int32_t value = field->Tag;
  if (pressed == plus && value < kMaxId) ++value;
  if (pressed == minus && value > 0) --value;
  ShowId(field, value);
  field->SetSelection(0, static_cast<int>(field->Text().size()));
}

void TMainForm::YOUID_EDITKeyDown(TEdit* Sender, int& Key, Qt::KeyboardModifiers) {
  IdKeyDown(Sender, Key, YOUID_INC, YOUID_DEC, &TMainForm::YOU_BTNClick);
}

void TMainForm::MYID_EDITKeyDown(TEdit* Sender, int& Key, Qt::KeyboardModifiers) {
  IdKeyDown(Sender, Key, MYID_INC, MYID_DEC, &TMainForm::MYID_BTNClick);
}

void TMainForm::IdKeyDown(TEdit* field, int& Key, TSpeedButton* plus, TSpeedButton* minus,
                          void (TMainForm::*step)(TSpeedButton*)) {
  // Whatever the shift state: Shift or Ctrl with an arrow still steps by one.
  switch (Key) {
    case kVkReturn:
      ID_Exit(field);
      break;
    case kVkUp:
      (this->*step)(plus);
      break;
    case kVkDown:
      (this->*step)(minus);
      break;
    default:
      return;
  }
  Key = kVkNone;
}

void TMainForm::ID_Exit(TEdit* Sender) {
  const std::int32_t typed = ReadTypedNumber(Sender->Text().toStdString(), Sender->Tag);
  ShowId(Sender, std::clamp(typed, 0, kMaxId));
}

}  // namespace kx14
