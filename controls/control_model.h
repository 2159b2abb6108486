#pragma once

// The window's controls without widgets: the form's own control classes
// with nothing to show, made and wired as the window makes them, as a
// TDeviceView whose exchange and message pump a subclass provides. The
// command line programs through it, so it stores what the window stores;
// tests derive their recording stand-ins from it.

#include <array>
#include <string>

#include "controls/control_set_view.h"
#include "controls/headless_controls.h"

namespace kx14 {

class TControlModel : public TControlSetView {
 public:
  // The level shown selected when the window opens; its handler has not run.
  static constexpr THandicapPreset kStartPreset = THandicapPreset::Handy0;
  // The controls as the window leaves them at start: the layout's choices
  // (BUP_5Ah, MAS_OFF, OT_OFF), the identifiers 0, the bars at their minimum,
  // with THR_BAR at the count of the level shown, so a program operation
  // before any read or choice stores that level.
  static BlockControls StartControls();

  TControlModel();
  TControlModel(const TControlModel&) = delete;
  TControlModel& operator=(const TControlModel&) = delete;

  // The level whose button is selected.
  THandicapPreset Preset() const;
  // MON_EDIT's text.
  std::string Information() const { return information_.Text(); }

  // The user clicks a level's radio button: its handler runs only when it
  // was not selected before, and sets THR_BAR to the level's count.
  void ClickPreset(THandicapPreset clicked);
  // The user sets every control to `controls` (bars limited to their
  // ranges), as a test's starting state; the level buttons stay as they are.
  void SetControls(const BlockControls& controls);

 protected:
  // A level's handler ran (its button became selected).
  virtual void PresetHandlerRan(THandicapPreset /*preset*/) {}

  TBlockControlSet Controls() const override { return set_; }

 private:
  void MakeRadioPair(THeadlessRadioButton& first, THeadlessRadioButton& second);

  THeadlessRadioButton bup00h_, bup5Ah_, masterOn_, masterOff_, overtakeOn_, overtakeOff_;
  THeadlessEdit yourId_, myId_, information_;
  std::array<THeadlessScrollBar, kByteFieldCount> bars_;
  std::array<THeadlessRadioButton, kHandicapCount> levels_;
  TBlockControlSet set_{};
};

}  // namespace kx14
