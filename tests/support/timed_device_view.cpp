#include "timed_device_view.h"

namespace kx14::testing {

void TimedDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  link_.SendReceive(command, replyLength, reply);
}

void TimedDeviceView::ShowInformation(std::string_view text) {
  TControlModel::ShowInformation(text);
  shownAt_ = Clock::now();
}

}  // namespace kx14::testing
