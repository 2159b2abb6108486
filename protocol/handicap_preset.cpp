#include "protocol/handicap_preset.h"

namespace kx14 {

int OvertakeCount(THandicapPreset preset) {
  switch (preset) {
    case THandicapPreset::Handy_S:
      return 1;
    case THandicapPreset::Handy_M:
      return 3;
    case THandicapPreset::Handy0:
      return 5;
    case THandicapPreset::Handy1:
      return 6;
    case THandicapPreset::Handy2:
      return 7;
    case THandicapPreset::Handy3:
      return 8;
    case THandicapPreset::Handy4:
      return 9;
    case THandicapPreset::Handy5:
      return 10;
    case THandicapPreset::Handy6:
      return 15;
    case THandicapPreset::Handy_7:
      return 250;
  }
  return 5;  // unreachable for a valid enumerator
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
