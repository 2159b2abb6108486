#include "controls/control_model.h"

namespace kx14 {
namespace {

// A model with no exchange, only to read the start state.
class TStartModel final : public TControlModel {
 public:
  void ProcessMessages() override {}
  void SendReceive(ByteString& /*command*/, int /*replyLength*/, ByteString& reply) override {
    reply.clear();
  }
};

}  // namespace

BlockControls TControlModel::StartControls() { return TStartModel().ReadControls(); }

TControlModel::TControlModel() {
  // The second button of each pair is the one selected in the layout.
  MakeRadioPair(bup00h_, bup5Ah_);
  MakeRadioPair(masterOn_, masterOff_);
  MakeRadioPair(overtakeOn_, overtakeOff_);
  for (std::size_t i = 0; i < kByteFieldCount; ++i) {
    const TBarRange range = BarRange(static_cast<TByteField>(i));
    bars_[i].SetRange(range.min, range.max);
    bars_[i].SetPosition(range.min);
    set_.bars[i] = &bars_[i];
  }
  std::vector<TRadioButtonControl*> levelGroup;
  for (THeadlessRadioButton& level : levels_) levelGroup.push_back(&level);
  for (std::size_t i = 0; i < kHandicapCount; ++i) {
    levels_[i].group = levelGroup;
    set_.levels[i] = &levels_[i];
  }
  // Selected in the layout, before any handler is attached; the start then
  // puts THR_BAR at its count.
  levels_[static_cast<std::size_t>(kStartPreset)].SetChecked(true);
  for (std::size_t i = 0; i < kHandicapCount; ++i) {
    const auto preset = static_cast<THandicapPreset>(i);
    levels_[i].OnClick = [this, preset](TRadioButtonControl*) {
      bars_[static_cast<std::size_t>(TByteField::OT_MAX)].SetPosition(OvertakeCount(preset));
      PresetHandlerRan(preset);
    };
  }
  bars_[static_cast<std::size_t>(TByteField::OT_MAX)].SetPosition(OvertakeCount(kStartPreset));
  information_.SetCharCase(TEditCharCase::ecUpperCase);
  set_.bup00h = &bup00h_;
  set_.bup5Ah = &bup5Ah_;
  set_.yourId = &yourId_;
  set_.myId = &myId_;
  set_.masterOn = &masterOn_;
  set_.masterOff = &masterOff_;
  set_.overtakeOn = &overtakeOn_;
  set_.overtakeOff = &overtakeOff_;
  set_.information = &information_;
}

void TControlModel::MakeRadioPair(THeadlessRadioButton& first, THeadlessRadioButton& second) {
  first.group = {&first, &second};
  second.group = {&first, &second};
  second.SetChecked(true);
}

THandicapPreset TControlModel::Preset() const {
  for (std::size_t i = 0; i < kHandicapCount; ++i) {
    if (levels_[i].Checked()) return static_cast<THandicapPreset>(i);
  }
  return kStartPreset;  // a level button is always selected
}

void TControlModel::ClickPreset(THandicapPreset clicked) {
  levels_[static_cast<std::size_t>(clicked)].SetChecked(true);
}

void TControlModel::SetControls(const BlockControls& controls) {
  TControlSetView::SelectBup(controls.bup5Ah);
  TControlSetView::SetYourId(controls.yourId);
  TControlSetView::SetMyId(controls.myId);
  TControlSetView::SelectMasterF(controls.masterF);
  TControlSetView::SelectOvertake(controls.overtake);
  BlockControls wanted = controls;
  for (std::size_t i = 0; i < kByteFieldCount; ++i) {
    bars_[i].SetPosition(BarField(wanted, static_cast<TByteField>(i)));
  }
}

}  // namespace kx14
