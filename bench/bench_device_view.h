#pragma once

// The window as the read and program operations see it, without a toolkit:
// the controls' values kept by the window's rules, the exchange over a real
// serial component, and the moment the information field's text changes.
// For timing whole operations from the press to the outcome.

#include <chrono>
#include <string>

#include "comm/comm_x.h"
#include "comm/message_pump.h"
#include "protocol/device_view.h"
#include "protocol/exchange_link.h"

namespace kx14::bench {

class BenchDeviceView final : public TDeviceView {
 public:
  using Clock = std::chrono::steady_clock;

  // `comm` and `pump` must outlive the view.
  BenchDeviceView(TCustomCommX& comm, TMessagePump& pump) : comm_(comm), pump_(pump) {}

  const std::string& Information() const { return information_; }
  // When ShowInformation last ran.
  Clock::time_point InformationShownAt() const { return shownAt_; }

  void ProcessMessages() override { pump_.ProcessMessages(); }
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;
  BlockControls ReadControls() const override { return controls_; }
  void SelectBup(bool bup5Ah) override { controls_.bup5Ah = bup5Ah; }
  void SetYourId(std::int32_t value) override { controls_.yourId = value; }
  void SetMyId(std::int32_t value) override { controls_.myId = value; }
  void SelectMasterF(bool on) override { controls_.masOn = on; }
  void SelectOvertake(bool on) override { controls_.otOn = on; }
  void SetBarPosition(TBlockBar bar, int position) override;
  void ShowInformation(std::string_view text) override;
  void SelectHandicap(THandicapPreset preset) override;

 private:
  TCustomCommX& comm_;
  TExchangeLink link_{comm_};
  TMessagePump& pump_;
  BlockControls controls_;
  THandicapPreset preset_ = THandicapPreset::Handy0;
  std::string information_;
  Clock::time_point shownAt_{};
};

}  // namespace kx14::bench
