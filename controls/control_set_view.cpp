#include "controls/control_set_view.h"

#include <string>

namespace kx14 {
namespace {

void Select(TRadioButtonControl* first, TRadioButtonControl* second, bool chooseFirst) {
  (chooseFirst ? first : second)->SetChecked(true);
}

// An identifier's value is its field's Tag; the text only shows it.
void ShowIdentifier(TEditControl* field, std::int32_t value) {
  field->Tag = value;
  field->SetText(std::to_string(value));
}

}  // namespace

int& BarField(BlockControls& controls, TByteField bar) {
  switch (bar) {
    case TByteField::LASTCH:
      return controls.lastCh;
    case TByteField::MODE:
      return controls.mode;
    case TByteField::LOW_CH:
      return controls.lowCh;
    case TByteField::HIGH_CH:
      return controls.highCh;
    case TByteField::ST_ADJ:
      return controls.stAdj;
    case TByteField::OT_MAX:
      return controls.otMax;
    case TByteField::OT_TIME:
      return controls.otTime;
    case TByteField::MAXPWR:
      break;
  }
  return controls.maxPwr;
}

TBarRange BarRange(TByteField bar) {
  switch (bar) {
    case TByteField::OT_MAX:
    case TByteField::OT_TIME:
      return {kOtBarMin, kOtBarMax};
    case TByteField::MAXPWR:
      return {kMaxPwrBarMin, kMaxPwrBarMax};
    default:
      return {kChannelBarMin, kChannelBarMax};
  }
}

BlockControls TControlSetView::ReadControls() const {
  const TBlockControlSet set = Controls();
  BlockControls controls;
  controls.bup5Ah = !set.bup00h->Checked();
  controls.yourId = set.yourId->Tag;
  controls.myId = set.myId->Tag;
  controls.masterF = set.masterOn->Checked();
  controls.overtake = set.overtakeOn->Checked();
  for (std::size_t i = 0; i < kByteFieldCount; ++i) {
    BarField(controls, static_cast<TByteField>(i)) = set.bars[i]->Position();
  }
  return controls;
}

void TControlSetView::SelectBup(bool bup5Ah) {
  const TBlockControlSet set = Controls();
  Select(set.bup5Ah, set.bup00h, bup5Ah);
}

void TControlSetView::SetYourId(std::int32_t value) { ShowIdentifier(Controls().yourId, value); }

void TControlSetView::SetMyId(std::int32_t value) { ShowIdentifier(Controls().myId, value); }

void TControlSetView::SelectMasterF(bool on) {
  const TBlockControlSet set = Controls();
  Select(set.masterOn, set.masterOff, on);
}

void TControlSetView::SelectOvertake(bool on) {
  const TBlockControlSet set = Controls();
  Select(set.overtakeOn, set.overtakeOff, on);
}

void TControlSetView::SetBarPosition(TByteField bar, int position) {
  Controls().bars[static_cast<std::size_t>(bar)]->SetPosition(position);
}

void TControlSetView::ShowInformation(std::string_view text) {
  Controls().information->SetText(text);
}

void TControlSetView::SelectHandicap(THandicapPreset preset) {
  Controls().levels[static_cast<std::size_t>(preset)]->SetChecked(true);
}

}  // namespace kx14
