#pragma once

// The block as the read and program operations see it in the controls that
// hold it, written once over the toolkit-neutral control classes: the
// window's own controls (TFormDeviceView) and the headless ones that kx14ctl
// programs through (TControlModel) are read and set here alike, so both
// follow the controls' own rules: a radio button's handler runs only when it
// becomes selected, a bar limits a position to its range and runs its change
// handler only when the position really changes, an identifier's value is its
// field's Tag.

#include <array>
#include <cstddef>

#include "controls/edit_control.h"
#include "controls/radio_button_control.h"
#include "controls/scroll_bar_control.h"
#include "protocol/device_view.h"

namespace kx14 {

inline constexpr std::size_t kByteFieldCount = 8;
inline constexpr std::size_t kHandicapCount = 10;

// The controls that hold the block: the bars in TByteField's order, the
// level buttons in THandicapPreset's.
struct TBlockControlSet {
  TRadioButtonControl* bup00h;
  TRadioButtonControl* bup5Ah;
  TEditControl* yourId;
  TEditControl* myId;
  TRadioButtonControl* masterOn;
  TRadioButtonControl* masterOff;
  TRadioButtonControl* overtakeOn;
  TRadioButtonControl* overtakeOff;
  std::array<TScrollBarControl*, kByteFieldCount> bars;
  std::array<TRadioButtonControl*, kHandicapCount> levels;
  TEditControl* information;  // MON_EDIT
};

// Each bar's range, in TByteField's order: what the window's bars are made
// with and what a block's field is limited to.
struct TBarRange {
  int min;
  int max;
};
TBarRange BarRange(TByteField bar);

// The field of `controls` that `bar` holds.
int& BarField(BlockControls& controls, TByteField bar);

class TControlSetView : public TDeviceView {
 public:
  BlockControls ReadControls() const override;
  void SelectBup(bool bup5Ah) override;
  void SetYourId(std::int32_t value) override;
  void SetMyId(std::int32_t value) override;
  void SelectMasterF(bool on) override;
  void SelectOvertake(bool on) override;
  void SetBarPosition(TByteField bar, int position) override;
  void ShowInformation(std::string_view text) override;
  void SelectHandicap(THandicapPreset preset) override;

 protected:
  // Asked for at every call: the window makes its controls after its view.
  virtual TBlockControlSet Controls() const = 0;
};

}  // namespace kx14
