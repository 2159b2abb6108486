#include "protocol/control_model.h"

#include <algorithm>

namespace kx14 {

BlockControls TControlModel::StartControls() {
  BlockControls start;
  start.thrBar = OvertakeCount(kStartPreset);
  return start;
}

void TControlModel::ClickPreset(THandicapPreset clicked) {
  if (clicked == preset) return;  // a selected radio button runs no handler
  preset = clicked;
  MoveBar(TBlockBar::THR_BAR, OvertakeCount(clicked));
}

void TControlModel::MoveBar(TBlockBar bar, int position) {
  switch (bar) {
    case TBlockBar::LAST_BAR:
      controls.lastBar = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::MODE_BAR:
      controls.modeBar = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::UA_BAR:
      controls.uaBar = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::LOW_BAR:
      controls.lowBar = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::HICH_BAR:
      controls.hichBar = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TBlockBar::THR_BAR:
      controls.thrBar = std::clamp(position, kOtBarMin, kOtBarMax);
      break;
    case TBlockBar::YOBI1_BAR:
      controls.yobi1Bar = std::clamp(position, kOtBarMin, kOtBarMax);
      break;
    case TBlockBar::YOBI2_BAR:
      controls.yobi2Bar = std::clamp(position, kMaxPwrBarMin, kMaxPwrBarMax);
      break;
  }
}

}  // namespace kx14
