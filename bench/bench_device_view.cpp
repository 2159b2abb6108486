#include "bench/bench_device_view.h"

#include <algorithm>


namespace kx14::bench {

void BenchDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  link_.SendReceive(command, replyLength, reply);
}

void BenchDeviceView::SetBarPosition(TBlockBar bar, int position) {
  const auto limit = [position](int low, int high) { return std::clamp(position, low, high); };
  switch (bar) {
    case TBlockBar::LAST_BAR:
      controls_.lastBar = limit(kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::MODE_BAR:
      controls_.modeBar = limit(kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::UA_BAR:
      controls_.uaBar = limit(kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::LOW_BAR:
      controls_.lowBar = limit(kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::HICH_BAR:
      controls_.hichBar = limit(kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::THR_BAR:
      controls_.thrBar = limit(kOtBarMin, kOtBarMax);
      break;
    case TBlockBar::YOBI1_BAR:
      controls_.yobi1Bar = limit(kOtBarMin, kOtBarMax);
      break;
    case TBlockBar::YOBI2_BAR:
      controls_.yobi2Bar = limit(kMaxPwrBarMin, kMaxPwrBarMax);
      break;
  }
}

void BenchDeviceView::ShowInformation(std::string_view text) {
  information_ = text;
  shownAt_ = Clock::now();
}

// The preset's handler runs only when it was not selected before: it puts
// the level's overtake count into THR_BAR.
void BenchDeviceView::SelectHandicap(THandicapPreset preset) {
  if (preset == preset_) return;
  preset_ = preset;
  controls_.thrBar = OvertakeCount(preset);
}

}  // namespace kx14::bench
