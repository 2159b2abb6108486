#pragma once

// What the read and program operations need from the window: the exchange
// over its serial port, its pending messages, and the controls that hold the
// parameter block. The window implements it over its own controls; tests
// implement it with a fake. Every call runs on the window's thread.

#include <cstdint>
#include <string_view>

#include "base/byte_string.h"
#include "protocol/handicap_preset.h"
#include "protocol/parameter_block.h"

namespace kx14 {

// The block's one-byte fields that the window holds as scroll bar
// positions (MAXPWR as its percent). Which bar holds which field is the
// window's business (ui/form/).
enum class TByteField { LASTCH, MODE, LOW_CH, HIGH_CH, ST_ADJ, OT_MAX, OT_TIME, MAXPWR };

class TDeviceView {
 public:
  virtual ~TDeviceView() = default;

  // Lets every pending window message run, then returns. Handlers of the
  // window (a button press among them) may run inside.
  virtual void ProcessMessages() = 0;

  // One exchange over the window's port (SendReceive on its CommX1): the
  // same contract, so `reply` is complete or empty. Window messages run
  // while it waits.
  virtual void SendReceive(ByteString& command, int replyLength, ByteString& reply) = 0;

  // The block's fields as the controls hold them now: the radio choices, the
  // identifier fields' Tag (never their text) and the bars' positions.
  virtual BlockControls ReadControls() const = 0;

  // The setters behave like the controls themselves, and the operations call
  // them in the window's order because handlers run on each:
  // - Selecting a radio button deselects its partner; a click handler runs
  //   only when the button was not selected before.
  // - Setting a bar limits the value to the bar's range; the change handler
  //   runs (and updates the partner field) only when the position changes.
  // - Setting an identifier sets its Tag, then its text to the value in
  //   decimal; no handler runs.
  virtual void SelectBup(bool bup5Ah) = 0;         // BUP_5Ah, else BUP_00h
  virtual void SetYourId(std::int32_t value) = 0;  // YOUID_EDIT
  virtual void SetMyId(std::int32_t value) = 0;    // MYID_EDIT
  virtual void SelectMasterF(bool on) = 0;         // MAS_ON, else MAS_OFF
  virtual void SelectOvertake(bool on) = 0;        // OT_ON, else OT_OFF
  virtual void SetBarPosition(TByteField bar, int position) = 0;

  // Replaces the whole text of MON_EDIT; no handler runs.
  virtual void ShowInformation(std::string_view text) = 0;

  // Selects the preset's radio button. When it was not selected before its
  // handler runs: the level's comment appears and OT_MAX takes the level's
  // overtake count.
  virtual void SelectHandicap(THandicapPreset preset) = 0;
};

}  // namespace kx14
