#include "bench/bench_device_view.h"

#include "protocol/send_receive.h"

namespace kx14::bench {

void BenchDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  kx14::SendReceive(comm_, command, replyLength, reply);
}

void BenchDeviceView::ShowInformation(std::string_view text) {
  TControlModel::ShowInformation(text);
  shownAt_ = Clock::now();
}

}  // namespace kx14::bench
