#pragma once

#include <string>

#include "protocol/device_view.h"
#include "ui/form/main_form_logic.h"

namespace kx14 {

// The read and program operations' view of the main window: the exchange
// over its CommX1, its message pump, and the controls that hold the block.
// Every setter goes through the control itself, so the controls' own rules
// apply: a radio button's handler runs only when it becomes selected, a bar's
// change handler only when its position really changes.
template <class Kit>
class TFormDeviceView final : public TDeviceView {
 public:
  // `form` must outlive the view; its controls may be created afterwards.
  explicit TFormDeviceView(TMainFormLogic<Kit>& form) : form_(form) {}

  void ProcessMessages() override { form_.MessagePump->ProcessMessages(); }
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override {
    form_.SendReceive(command, replyLength, reply);
  }
  BlockControls ReadControls() const override {
    BlockControls controls;
    controls.bup5Ah = !form_.BUP_00h->Checked();
    controls.yourId = form_.YOUID_EDIT->Tag;
    controls.myId = form_.MYID_EDIT->Tag;
    controls.masterF = form_.MAS_ON->Checked();
    controls.overtake = form_.OT_ON->Checked();
    for (const TByteField bar : kAllBars) {
      SetField(controls, bar, Bar(bar)->Position());
    }
    return controls;
  }
  void SelectBup(bool bup5Ah) override { Select(form_.BUP_5Ah, form_.BUP_00h, bup5Ah); }
  void SetYourId(std::int32_t value) override { ShowIdentifier(form_.YOUID_EDIT, value); }
  void SetMyId(std::int32_t value) override { ShowIdentifier(form_.MYID_EDIT, value); }
  void SelectMasterF(bool on) override { Select(form_.MAS_ON, form_.MAS_OFF, on); }
  void SelectOvertake(bool on) override { Select(form_.OT_ON, form_.OT_OFF, on); }
  void SetBarPosition(TByteField bar, int position) override { Bar(bar)->SetPosition(position); }
  void ShowInformation(std::string_view text) override { form_.MON_EDIT->SetText(text); }
  void SelectHandicap(THandicapPreset preset) override { PresetButton(preset)->SetChecked(true); }

 private:
  static constexpr TByteField kAllBars[] = {
      TByteField::LASTCH, TByteField::MODE, TByteField::LOW_CH,    TByteField::HIGH_CH,
      TByteField::ST_ADJ, TByteField::OT_MAX,  TByteField::OT_TIME, TByteField::MAXPWR};

  static void Select(TRadioButtonControl* chosen, TRadioButtonControl* other, bool chooseFirst) {
    (chooseFirst ? chosen : other)->SetChecked(true);
  }
  // An identifier's value is its field's Tag; the text only shows it.
  static void ShowIdentifier(TEditControl* field, std::int32_t value) {
    field->Tag = value;
    field->SetText(std::to_string(value));
  }
  static void SetField(BlockControls& controls, TByteField bar, int position) {
    switch (bar) {
      case TByteField::LASTCH:
        controls.lastCh = position;
        break;
      case TByteField::MODE:
        controls.mode = position;
        break;
      case TByteField::LOW_CH:
        controls.lowCh = position;
        break;
      case TByteField::HIGH_CH:
        controls.highCh = position;
        break;
      case TByteField::ST_ADJ:
        controls.stAdj = position;
        break;
      case TByteField::OT_MAX:
        controls.otMax = position;
        break;
      case TByteField::OT_TIME:
        controls.otTime = position;
        break;
      case TByteField::MAXPWR:
        controls.maxPwr = position;
        break;
    }
  }

  TScrollBarControl* Bar(TByteField bar) const {
    TScrollBarControl* const bars[] = {form_.LAST_BAR,  form_.MODE_BAR, form_.UA_BAR,
                                       form_.LOW_BAR,   form_.HICH_BAR, form_.THR_BAR,
                                       form_.YOBI1_BAR, form_.YOBI2_BAR};
    return bars[static_cast<int>(bar)];
  }
  TRadioButtonControl* PresetButton(THandicapPreset preset) const {
    TRadioButtonControl* const buttons[] = {
        form_.Handy_S, form_.Handy_M, form_.Handy0, form_.Handy1, form_.Handy2,
        form_.Handy3,  form_.Handy4,  form_.Handy5, form_.Handy6, form_.Handy_7};
    return buttons[static_cast<int>(preset)];
  }

  TMainFormLogic<Kit>& form_;
};

}  // namespace kx14
