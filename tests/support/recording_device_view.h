#pragma once

// A window stand-in for the read and program operations: the shared control
// model (the window's rules for radio pairs, bar ranges and the handicap
// presets' handlers) that plays scripted device replies and records every
// call the operations make.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "controls/control_model.h"

namespace kx14::testing {

class RecordingDeviceView : public TControlModel {
 public:
  // Starts as the window does (TControlModel's start state).
  std::vector<THandicapPreset> presetHandlersRun;

  // What the device answers, one entry per exchange, handed over as it is
  // (even when its length is wrong). An exchange with nothing scripted
  // answers nothing, as with no port open.
  std::deque<ByteString> replies;
  std::vector<ByteString> commandsSent;
  std::vector<std::string> informationShown;
  // Every call of the operations in order: "ProcessMessages", "Exchange",
  // "SelectBup(1)", "SetBar(THR_BAR,5)", "SelectHandicap(Handy6)", ...
  std::vector<std::string> calls;

  // Run inside ProcessMessages and inside the exchange's wait, as window
  // handlers would (a second button press, a preset click, a throw).
  std::function<void()> duringProcessMessages;
  std::function<void()> duringExchange;

  // The calls that set a control (everything but messages and exchanges).
  std::vector<std::string> ControlCalls() const;

  void ProcessMessages() override;
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;
  void SelectBup(bool bup5Ah) override;
  void SetYourId(std::int32_t value) override;
  void SetMyId(std::int32_t value) override;
  void SelectMasterF(bool on) override;
  void SelectOvertake(bool on) override;
  void SetBarPosition(TByteField bar, int position) override;
  void ShowInformation(std::string_view text) override;
  void SelectHandicap(THandicapPreset selected) override;

 protected:
  void PresetHandlerRan(THandicapPreset preset) override { presetHandlersRun.push_back(preset); }
};

const char* PresetName(THandicapPreset preset);
const char* BarName(TByteField bar);

}  // namespace kx14::testing
