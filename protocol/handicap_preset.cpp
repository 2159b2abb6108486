#include "protocol/handicap_preset.h"

namespace kx14 {

namespace {

// The overtake count limit of each level, in the enumeration's order.
constexpr std::array<int, kHandicapPresets.size()> kOvertakeCounts = {1, 3, 5, 6, 7, 8, 9, 10, 15, 250};

}  // namespace

int OvertakeCount(THandicapPreset preset) {
  return kOvertakeCounts.at(static_cast<std::size_t>(preset));
}

THandicapPreset HandicapForOvertakeCount(int thrPosition) {
  if (thrPosition >= 17) return THandicapPreset::Handy_7;
  if (thrPosition >= 12) return THandicapPreset::Handy6;
  if (thrPosition >= 10) return THandicapPreset::Handy5;  // 10, and 11 by nearest count
  if (thrPosition == 9) return THandicapPreset::Handy4;
  if (thrPosition == 8) return THandicapPreset::Handy3;
  if (thrPosition == 7) return THandicapPreset::Handy2;
  if (thrPosition == 6) return THandicapPreset::Handy1;
  if (thrPosition == 5) return THandicapPreset::Handy0;
  if (thrPosition >= 3) return THandicapPreset::Handy_M;
  return THandicapPreset::Handy_S;
}

}  // namespace kx14
