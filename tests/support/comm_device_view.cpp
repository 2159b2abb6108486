#include "comm_device_view.h"

namespace kx14::testing {

void CommDeviceView::ProcessMessages() {
  calls.push_back("ProcessMessages");
  pump_.ProcessMessages();
}

void CommDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  calls.push_back("Exchange");
  if (beforeExchange) beforeExchange(commandsSent.size(), command);
  commandsSent.push_back(command);
  link_.SendReceive(command, replyLength, reply);
  repliesReceived.push_back(reply);
}

}  // namespace kx14::testing
