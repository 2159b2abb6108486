#include "protocol/handicap_preset.h"

#include <gtest/gtest.h>

namespace kx14 {
namespace {

using enum THandicapPreset;

// The band table a read uses, row by row, over the whole THR_BAR range.
THandicapPreset ExpectedBand(int position) {
  if (position >= 17) return Handy_7;
  if (position >= 12) return Handy6;
  if (position == 11) return Handy5;  // our choice: the nearest count, 10
  static constexpr THandicapPreset kSingle[] = {Handy_S, Handy_S, Handy_M, Handy_M, Handy0,
                                                Handy1,  Handy2,  Handy3,  Handy4,  Handy5};
  return kSingle[position - 1];
}

TEST(HandicapBands, EveryBarPositionSelectsItsBand) {
  for (int position = 1; position <= 250; ++position)
    EXPECT_EQ(HandicapForOvertakeCount(position), ExpectedBand(position)) << position;
}

TEST(HandicapBands, PositionElevenSelectsHandy5) {
  EXPECT_EQ(HandicapForOvertakeCount(11), Handy5);
}

// A preset's own count selects that preset again, so a read of a value that
// a preset wrote never moves it to another level.
TEST(HandicapBands, EachPresetsCountSelectsThatPreset) {
  for (const THandicapPreset preset : kHandicapPresets)
    EXPECT_EQ(HandicapForOvertakeCount(OvertakeCount(preset)), preset) << OvertakeCount(preset);
}

TEST(HandicapCounts, FollowTheLevelsFromFewestToMost) {
  const int expected[] = {1, 3, 5, 6, 7, 8, 9, 10, 15, 250};
  for (std::size_t i = 0; i < kHandicapPresets.size(); ++i)
    EXPECT_EQ(OvertakeCount(kHandicapPresets[i]), expected[i]);
}

}  // namespace
}  // namespace kx14
