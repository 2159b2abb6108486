#include "protocol/control_model.h"

#include <algorithm>

namespace kx14 {

BlockControls TControlModel::StartControls() {
  BlockControls start;
  start.otMax = OvertakeCount(kStartPreset);
  return start;
}

void TControlModel::ClickPreset(THandicapPreset clicked) {
  if (clicked == preset) return;  // a selected radio button runs no handler
  preset = clicked;
  MoveBar(TByteField::OT_MAX, OvertakeCount(clicked));
}

void TControlModel::MoveBar(TByteField bar, int position) {
  switch (bar) {
    case TByteField::LASTCH:
      controls.lastCh = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TByteField::MODE:
      controls.mode = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TByteField::LOW_CH:
      controls.lowCh = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TByteField::HIGH_CH:
      controls.highCh = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TByteField::ST_ADJ:
      controls.stAdj = std::clamp(position, kChannelBarMin, kChannelBarMax);
      break;
    case TByteField::OT_MAX:
      controls.otMax = std::clamp(position, kOtBarMin, kOtBarMax);
      break;
    case TByteField::OT_TIME:
      controls.otTime = std::clamp(position, kOtBarMin, kOtBarMax);
      break;
    case TByteField::MAXPWR:
      controls.maxPwr = std::clamp(position, kMaxPwrBarMin, kMaxPwrBarMax);
      break;
  }
}

}  // namespace kx14
