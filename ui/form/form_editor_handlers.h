#pragma once

// The editors' and presets' handlers of TMainFormLogic (included by
// form_lifecycle.h).

#include <algorithm>
#include <string>

#include "protocol/handicap_preset.h"
#include "protocol/parameter_block.h"
#include "ui/form/handicap_presets.h"
#include "ui/form/main_form_logic.h"
#include "ui/typed_number.h"

namespace kx14 {

// The eight value editors: a scroll bar holds the value, the edit field
// beside it shows it and takes a typed one. Each handler finds its partner
// through the sender's link, so one handler serves every pair.

inline void ShowBarInPartner(TScrollBarControl* bar, int shown) {
  if (bar->PartnerEdit != nullptr) bar->PartnerEdit->SetText(std::to_string(shown));
}

template <class Kit>
void TMainFormLogic<Kit>::BARChange(TScrollBarControl* Sender) {
  ShowBarInPartner(Sender, Sender->Position());
}

template <class Kit>
void TMainFormLogic<Kit>::BARChange2(TScrollBarControl* Sender) {
  ShowBarInPartner(Sender, Sender->Position());
}

template <class Kit>
void TMainFormLogic<Kit>::BARChange3(TScrollBarControl* Sender) {
  // MAXPWR travels to the device in steps of two: the field shows the
  // largest even number not above the position, the position stays.
  ShowBarInPartner(Sender, Sender->Position() / 2 * 2);
}

template <class Kit>
void TMainFormLogic<Kit>::EDITExit(TEditControl* Sender) {
  TScrollBarControl* bar = Sender->PartnerBar;
  if (bar == nullptr) return;
  bar->SetPosition(ReadTypedNumber(Sender->Text(), bar->Position()));  // clamps
  // Always the plain position afterwards, also for the MAXPWR pair, so that
  // a commit shows exactly the value that was stored.
  BARChange(bar);
}

template <class Kit>
void TMainFormLogic<Kit>::EDITKeyPress(TEditControl* Sender, char32_t& Key) {
  // Enter commits and leaves the focus in the field; the key goes on.
  if (Key == U'\r') EDITExit(Sender);
}

template <class Kit>
void TMainFormLogic<Kit>::EDITMouseUp(TEditControl* Sender, TMouseButton) {
  Sender->SelectAll();
}

// The two identifier editors. The value is the field's Tag (0..16777215);
// the text only shows it and takes typed input, which counts once it has
// been committed (Enter or leaving the field).

inline void ShowIdentifier(TEditControl* field, std::int32_t value) {
  field->Tag = value;
  field->SetText(std::to_string(value));
}

template <class Kit>
void TMainFormLogic<Kit>::YOU_BTNClick(TSpeedButtonControl* Sender) {
  StepId(Sender, YOUID_INC, YOUID_DEC);
}

template <class Kit>
void TMainFormLogic<Kit>::MYID_BTNClick(TSpeedButtonControl* Sender) {
  StepId(Sender, MYID_INC, MYID_DEC);
}

template <class Kit>
void TMainFormLogic<Kit>::StepId(TSpeedButtonControl* pressed, TSpeedButtonControl* plus,
                                 TSpeedButtonControl* minus) {
  TEditControl* field = pressed->PartnerEdit;
  if (field == nullptr) return;
  // Taking the focus commits whatever the control that had it was editing.
  field->SetFocus();
  // The stored value, not the text: text typed here since the last commit
  // is dropped.
  std::int32_t value = field->Tag;
  if (pressed == plus && value < kMaxIdentifier) ++value;
  if (pressed == minus && value > 0) --value;
  ShowIdentifier(field, value);
  field->SelectAll();
}

template <class Kit>
void TMainFormLogic<Kit>::YOUID_EDITKeyDown(TEditControl* Sender, int& Key, TShiftState) {
  IdKeyDown(Sender, Key, YOUID_INC, YOUID_DEC, &TMainFormLogic::YOU_BTNClick);
}

template <class Kit>
void TMainFormLogic<Kit>::MYID_EDITKeyDown(TEditControl* Sender, int& Key, TShiftState) {
  IdKeyDown(Sender, Key, MYID_INC, MYID_DEC, &TMainFormLogic::MYID_BTNClick);
}

template <class Kit>
void TMainFormLogic<Kit>::IdKeyDown(TEditControl* field, int& Key, TSpeedButtonControl* plus,
                                    TSpeedButtonControl* minus,
                                    void (TMainFormLogic::*step)(TSpeedButtonControl*)) {
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

template <class Kit>
void TMainFormLogic<Kit>::ID_Exit(TEditControl* Sender) {
  const std::int32_t typed = ReadTypedNumber(Sender->Text(), Sender->Tag);
  ShowIdentifier(Sender, std::clamp(typed, 0, kMaxIdentifier));
}

// The ten preset handlers. Each runs only when its button becomes selected
// (the radio button rule), shows its comment and sets the overtake count
// limit; THR_BAR's own handler then shows the limit in its field.

template <class Kit>
void TMainFormLogic<Kit>::ShowPreset(int presetIndex) {
  K_Comment->SetText(PresetComment(presetIndex));
  THR_BAR->SetPosition(OvertakeCount(kHandicapPresets.at(static_cast<std::size_t>(presetIndex))));
}

// clang-format off
template <class Kit> void TMainFormLogic<Kit>::Handy_SClick(TRadioButtonControl*) { ShowPreset(0); }
template <class Kit> void TMainFormLogic<Kit>::Handy_MClick(TRadioButtonControl*) { ShowPreset(1); }
template <class Kit> void TMainFormLogic<Kit>::Handy0Click(TRadioButtonControl*) { ShowPreset(2); }
template <class Kit> void TMainFormLogic<Kit>::Handy1Click(TRadioButtonControl*) { ShowPreset(3); }
template <class Kit> void TMainFormLogic<Kit>::Handy2Click(TRadioButtonControl*) { ShowPreset(4); }
template <class Kit> void TMainFormLogic<Kit>::Handy3Click(TRadioButtonControl*) { ShowPreset(5); }
template <class Kit> void TMainFormLogic<Kit>::Handy4Click(TRadioButtonControl*) { ShowPreset(6); }
template <class Kit> void TMainFormLogic<Kit>::Handy5Click(TRadioButtonControl*) { ShowPreset(7); }
template <class Kit> void TMainFormLogic<Kit>::Handy6Click(TRadioButtonControl*) { ShowPreset(8); }
template <class Kit> void TMainFormLogic<Kit>::Handy_7Click(TRadioButtonControl*) { ShowPreset(9); }
// clang-format on

}  // namespace kx14
