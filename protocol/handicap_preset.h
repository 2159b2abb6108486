#pragma once

// The ten handicap levels: each stands for an overtake count limit, the value
// OT_MAX, which the program operation sends.

#include <array>

namespace kx14 {

// Named after the window's radio buttons, fewest overtakes first.
enum class THandicapPreset {
  Handy_S,  // 1
  Handy_M,  // 3
  Handy0,   // 5, selected when the window opens
  Handy1,   // 6
  Handy2,   // 7
  Handy3,   // 8
  Handy4,   // 9
  Handy5,   // 10
  Handy6,   // 15
  Handy_7,  // 250
};

inline constexpr std::array<THandicapPreset, 10> kHandicapPresets = {
    THandicapPreset::Handy_S, THandicapPreset::Handy_M, THandicapPreset::Handy0,
    THandicapPreset::Handy1,  THandicapPreset::Handy2,  THandicapPreset::Handy3,
    THandicapPreset::Handy4,  THandicapPreset::Handy5,  THandicapPreset::Handy6,
    THandicapPreset::Handy_7};

// The overtake count limit that the preset's handler puts into OT_MAX: the
// one table of the levels' counts, for the handlers and the read's choice.
int OvertakeCount(THandicapPreset preset);

// The preset that a read selects for OT_MAX's value after the read
// (1..250): 17 or more Handy_7, 12..16 Handy6, 10 and 11 Handy5, 9..5 one
// level each, 3..4 Handy_M, 1..2 (and below) Handy_S. 11 goes to Handy5, the
// level whose count (10) is nearest: it moves the device's value the least
// when the level's handler replaces it.
THandicapPreset HandicapForOvertakeCount(int thrPosition);

}  // namespace kx14
