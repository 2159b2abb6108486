#include "controls/scroll_bar_control.h"

#include <algorithm>

namespace kx14 {

void TScrollBarControl::SetPosition(int position) {
  const int clamped = std::clamp(position, min_, max_);
  if (clamped == position_) return;
  position_ = clamped;
  ShowPosition(clamped);
  if (OnChange) OnChange(this);
}

void TScrollBarControl::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  ShowRange(min_, max_, smallChange_, largeChange_);
  SetPosition(position_);  // clamps into the new range
}

void TScrollBarControl::SetSteps(int smallChange, int largeChange) {
  smallChange_ = smallChange;
  largeChange_ = largeChange;
  ShowRange(min_, max_, smallChange_, largeChange_);
}

void TScrollBarControl::UserLeft() {
  if (OnExit) OnExit(this);
}

}  // namespace kx14
