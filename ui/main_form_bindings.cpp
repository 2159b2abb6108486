// Which handler each control event runs. Every binding goes through
// Handler(), so an exception that escapes a handler ends in the error box.

#include "ui/controls/bitmap_button.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/speed_button.h"
#include "ui/main_form.h"
#include "ui/main_form_handler.h"

namespace kx14 {

void TMainForm::BindEvents() {
  BindCommands();
  BindValueEditors();
  BindIdEditors();
  BindPresets();
}

void TMainForm::BindCommands() {
  PROGRAM_BTN->OnClick = Handler(&TMainForm::PROGRAM_BTNClick);
  READ_BTN->OnClick = Handler(&TMainForm::READ_BTNClick);
  EXIT_BTN->OnClick = Handler(&TMainForm::EXIT_BTNClick);
  CommBox->OnDropDown = Handler(&TMainForm::CommBoxDropDown);
  CommBox->OnCloseUp = Handler(&TMainForm::CommBoxCloseUp);
}

void TMainForm::BindValueEditors() {
  const std::pair<TScrollBar*, void (TMainForm::*)(TScrollBar*)> bars[] = {
      {LAST_BAR, &TMainForm::BARChange2},  {MODE_BAR, &TMainForm::BARChange2},
      {UA_BAR, &TMainForm::BARChange2},    {LOW_BAR, &TMainForm::BARChange2},
      {HICH_BAR, &TMainForm::BARChange2},  {THR_BAR, &TMainForm::BARChange},
      {YOBI1_BAR, &TMainForm::BARChange2}, {YOBI2_BAR, &TMainForm::BARChange3},
  };
  for (const auto& [bar, change] : bars) {
    bar->OnChange = Handler(change);
    bar->OnExit = Handler(change);
  }
  for (TEdit* field :
       {LAST_EDIT, MODE_EDIT, UA_EDIT, LOW_EDIT, HICH_EDIT, THR_EDIT, YOBI1_EDIT, YOBI2_EDIT}) {
    field->OnExit = Handler(&TMainForm::EDITExit);
    field->OnKeyPress = Handler(&TMainForm::EDITKeyPress);
    field->OnMouseUp = Handler(&TMainForm::EDITMouseUp);
  }
}

void TMainForm::BindIdEditors() {
  YOUID_DEC->OnClick = Handler(&TMainForm::YOU_BTNClick);
  YOUID_INC->OnClick = Handler(&TMainForm::YOU_BTNClick);
  MYID_DEC->OnClick = Handler(&TMainForm::MYID_BTNClick);
  MYID_INC->OnClick = Handler(&TMainForm::MYID_BTNClick);
  YOUID_EDIT->OnKeyDown = Handler(&TMainForm::YOUID_EDITKeyDown);
  MYID_EDIT->OnKeyDown = Handler(&TMainForm::MYID_EDITKeyDown);
  for (TEdit* field : {YOUID_EDIT, MYID_EDIT}) {
    field->OnExit = Handler(&TMainForm::ID_Exit);
    field->OnMouseUp = Handler(&TMainForm::EDITMouseUp);
  }
}

void TMainForm::BindPresets() {
  Handy_S->OnClick = Handler(&TMainForm::Handy_SClick);
  Handy_M->OnClick = Handler(&TMainForm::Handy_MClick);
  Handy0->OnClick = Handler(&TMainForm::Handy0Click);
  Handy1->OnClick = Handler(&TMainForm::Handy1Click);
  Handy2->OnClick = Handler(&TMainForm::Handy2Click);
  Handy3->OnClick = Handler(&TMainForm::Handy3Click);
  Handy4->OnClick = Handler(&TMainForm::Handy4Click);
  Handy5->OnClick = Handler(&TMainForm::Handy5Click);
  Handy6->OnClick = Handler(&TMainForm::Handy6Click);
  Handy_7->OnClick = Handler(&TMainForm::Handy_7Click);
}

}  // namespace kx14
