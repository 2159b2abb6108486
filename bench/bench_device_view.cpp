#include "bench/bench_device_view.h"

namespace kx14::bench {

void BenchDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  link_.SendReceive(command, replyLength, reply);
}

void BenchDeviceView::ShowInformation(std::string_view text) {
  TControlModel::ShowInformation(text);
  shownAt_ = Clock::now();
}

}  // namespace kx14::bench
