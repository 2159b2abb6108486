#pragma once

// The window's controls without widgets: the values that hold the parameter
// block, with the rules the controls themselves follow, as a TDeviceView
// whose exchange and message pump a subclass provides. The command line
// programs through it, so it stores what the window stores; tests derive
// their recording stand-ins from it.

#include <string>

#include "protocol/device_view.h"

namespace kx14 {

class TControlModel : public TDeviceView {
 public:
  // The level shown selected when the window opens; its handler has not run.
  static constexpr THandicapPreset kStartPreset = THandicapPreset::Handy0;
  // The controls as the window leaves them at start: BlockControls' defaults
  // (BUP_5Ah, MAS_OFF, OT_OFF, the bars at their minimum), with THR_BAR at
  // the count of the level shown, so a program operation before any read or
  // choice stores that level.
  static BlockControls StartControls();

  BlockControls controls = StartControls();
  THandicapPreset preset = kStartPreset;
  // MON_EDIT's text.
  std::string information;

  // The user clicks a level's radio button: its handler runs only when it
  // was not selected before, and sets THR_BAR to the level's count.
  virtual void ClickPreset(THandicapPreset clicked);

  BlockControls ReadControls() const override { return controls; }
  // A radio pair holds one choice; an identifier keeps its value (Tag).
  void SelectBup(bool bup5Ah) override { controls.bup5Ah = bup5Ah; }
  void SetYourId(std::int32_t value) override { controls.yourId = value; }
  void SetMyId(std::int32_t value) override { controls.myId = value; }
  void SelectMasterF(bool on) override { controls.masterF = on; }
  void SelectOvertake(bool on) override { controls.overtake = on; }
  // Limits the position to the bar's range.
  void SetBarPosition(TByteField bar, int position) override { MoveBar(bar, position); }
  void ShowInformation(std::string_view text) override { information = text; }
  void SelectHandicap(THandicapPreset selected) override { ClickPreset(selected); }

 protected:
  // The bar's new position, limited to its range; what SetBarPosition and a
  // level's handler both do.
  void MoveBar(TByteField bar, int position);
};

}  // namespace kx14
