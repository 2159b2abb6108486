#include "ui/main_form_device_view.h"

#include <QString>

#include "ui/controls/edit.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/scroll_bar.h"
#include "ui/main_form.h"
#include "ui/qt_message_pump.h"

namespace kx14 {
namespace {

void Select(TRadioButton* chosen, TRadioButton* other, bool chooseFirst) {
  (chooseFirst ? chosen : other)->SetChecked(true);
}

// An identifier's value is its field's Tag; the text only shows it.
void ShowIdentifier(TEdit* field, std::int32_t value) {
  field->Tag = value;
  field->SetText(QString::number(value));
}

}  // namespace

TMainFormDeviceView::TMainFormDeviceView(TMainForm& form) : form_(form) {}

void TMainFormDeviceView::ProcessMessages() { form_.MessagePump->ProcessMessages(); }

void TMainFormDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  form_.SendReceive(command, replyLength, reply);
}

BlockControls TMainFormDeviceView::ReadControls() const {
  BlockControls controls;
  controls.bup5Ah = !form_.BUP_00h->Checked();
  controls.yourId = form_.YOUID_EDIT->Tag;
  controls.myId = form_.MYID_EDIT->Tag;
  controls.masOn = form_.MAS_ON->Checked();
  controls.otOn = form_.OT_ON->Checked();
  controls.lastBar = form_.LAST_BAR->Position();
  controls.modeBar = form_.MODE_BAR->Position();
  controls.uaBar = form_.UA_BAR->Position();
  controls.lowBar = form_.LOW_BAR->Position();
  controls.hichBar = form_.HICH_BAR->Position();
  controls.thrBar = form_.THR_BAR->Position();
  controls.yobi1Bar = form_.YOBI1_BAR->Position();
  controls.yobi2Bar = form_.YOBI2_BAR->Position();
  return controls;
}

void TMainFormDeviceView::SelectBup(bool bup5Ah) { Select(form_.BUP_5Ah, form_.BUP_00h, bup5Ah); }

void TMainFormDeviceView::SetYourId(std::int32_t value) { ShowIdentifier(form_.YOUID_EDIT, value); }

void TMainFormDeviceView::SetMyId(std::int32_t value) { ShowIdentifier(form_.MYID_EDIT, value); }

void TMainFormDeviceView::SelectMasterF(bool on) { Select(form_.MAS_ON, form_.MAS_OFF, on); }

void TMainFormDeviceView::SelectOvertake(bool on) { Select(form_.OT_ON, form_.OT_OFF, on); }

void TMainFormDeviceView::SetBarPosition(TBlockBar bar, int position) {
  Bar(bar)->SetPosition(position);
}

void TMainFormDeviceView::ShowInformation(std::string_view text) {
  form_.MON_EDIT->SetText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TMainFormDeviceView::SelectHandicap(THandicapPreset preset) {
  PresetButton(preset)->SetChecked(true);
}

TScrollBar* TMainFormDeviceView::Bar(TBlockBar bar) const {
  switch (bar) {
    case TBlockBar::LAST_BAR:
      return form_.LAST_BAR;
    case TBlockBar::MODE_BAR:
      return form_.MODE_BAR;
    case TBlockBar::UA_BAR:
      return form_.UA_BAR;
    case TBlockBar::LOW_BAR:
      return form_.LOW_BAR;
    case TBlockBar::HICH_BAR:
      return form_.HICH_BAR;
    case TBlockBar::THR_BAR:
      return form_.THR_BAR;
    case TBlockBar::YOBI1_BAR:
      return form_.YOBI1_BAR;
    case TBlockBar::YOBI2_BAR:
      return form_.YOBI2_BAR;
  }
  return form_.THR_BAR;  // unreachable: every enumerator is handled above
}

TRadioButton* TMainFormDeviceView::PresetButton(THandicapPreset preset) const {
  switch (preset) {
    case THandicapPreset::Handy_S:
      return form_.Handy_S;
    case THandicapPreset::Handy_M:
      return form_.Handy_M;
    case THandicapPreset::Handy0:
      return form_.Handy0;
    case THandicapPreset::Handy1:
      return form_.Handy1;
    case THandicapPreset::Handy2:
      return form_.Handy2;
    case THandicapPreset::Handy3:
      return form_.Handy3;
    case THandicapPreset::Handy4:
      return form_.Handy4;
    case THandicapPreset::Handy5:
      return form_.Handy5;
    case THandicapPreset::Handy6:
      return form_.Handy6;
    case THandicapPreset::Handy_7:
      return form_.Handy_7;
  }
  return form_.Handy0;  // unreachable: every enumerator is handled above
}

}  // namespace kx14
