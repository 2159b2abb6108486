#pragma once

// The window as the read and program operations see it, without a toolkit:
// the shared control model (the window's rules), the exchange over a real
// serial component, and the moment the information field's text changes.
// For timing whole operations from the press to the outcome.

#include <chrono>
#include <string>

#include "comm/comm_x.h"
#include "comm/message_pump.h"
#include "protocol/exchange_link.h"
#include "controls/control_model.h"

namespace kx14::testing {

class TimedDeviceView final : public TControlModel {
 public:
  using Clock = std::chrono::steady_clock;

  // `comm` and `pump` must outlive the view.
  TimedDeviceView(TCustomCommX& comm, TMessagePump& pump) : comm_(comm), pump_(pump) {}

  // When ShowInformation last ran.
  Clock::time_point InformationShownAt() const { return shownAt_; }

  void ProcessMessages() override { pump_.ProcessMessages(); }
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;
  void ShowInformation(std::string_view text) override;
  // Told of every frame of the view's exchanges (nullptr: nobody).
  void SetObserver(TExchangeObserver* observer) { link_.SetObserver(observer); }

 private:
  TCustomCommX& comm_;
  TExchangeLink link_{comm_};
  TMessagePump& pump_;
  Clock::time_point shownAt_{};
};

}  // namespace kx14::testing
