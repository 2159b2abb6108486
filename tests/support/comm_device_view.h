#pragma once

// The protocol's recording window stand-in, but its exchanges go through the
// real serial component: SendReceive over TCommX on a pty, window messages
// through a PollMessagePump. The controls keep the window's rules (radio
// pairs, bar ranges, the presets' handlers), so the operations run exactly
// as in the window, minus the widgets.

#include <functional>
#include <vector>

#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "protocol/exchange_link.h"
#include "recording_device_view.h"

namespace kx14::testing {

class CommDeviceView : public RecordingDeviceView {
 public:
  CommDeviceView(PollMessagePump& pump, TCommX& comm) : pump_(pump), comm_(comm) {}

  // Runs before each exchange with its number (0, 1, ... over the view's
  // life) and the command: a test changes the device's faults per exchange.
  std::function<void(std::size_t exchange, const ByteString& command)> beforeExchange;
  // What each exchange received: the complete reply, or empty.
  std::vector<ByteString> repliesReceived;

  void ProcessMessages() override;
  void SendReceive(ByteString& command, int replyLength, ByteString& reply) override;

 private:
  PollMessagePump& pump_;
  TCommX& comm_;
  TExchangeLink link_{comm_};
};

}  // namespace kx14::testing
