#include "protocol/handicap_preset.h"

#include <gtest/gtest.h>

#include <utility>

namespace kx14 {
namespace {

using enum THandicapPreset;

// The band edges over the whole THR_BAR range (1..250); between them the
// level never falls as the count rises. 11 lies between Handy5 (10) and
// Handy6 (15) and takes the nearer.
TEST(HandicapBands, ChangeOnlyAtTheirEdgesAndRiseWithTheCount) {
  const std::pair<int, THandicapPreset> edges[] = {
      {1, Handy_S}, {2, Handy_S}, {3, Handy_M}, {4, Handy_M}, {5, Handy0},   {9, Handy4},
      {10, Handy5}, {11, Handy5}, {12, Handy6}, {16, Handy6}, {17, Handy_7}, {250, Handy_7}};
  for (const auto& [position, level] : edges) {
    EXPECT_EQ(HandicapForOvertakeCount(position), level) << position;
  }
  for (int position = 2; position <= 250; ++position) {
    EXPECT_GE(HandicapForOvertakeCount(position), HandicapForOvertakeCount(position - 1))
        << position;
  }
}

// A preset's own count selects that preset again, so a read of a value that
// a preset wrote never moves it to another level.
TEST(HandicapBands, EachPresetsCountSelectsThatPreset) {
  for (const THandicapPreset preset : kHandicapPresets)
    EXPECT_EQ(HandicapForOvertakeCount(OvertakeCount(preset)), preset) << OvertakeCount(preset);
}

TEST(HandicapCounts, RiseWithTheLevelOverTheWholeBar) {
  EXPECT_EQ(OvertakeCount(kHandicapPresets.front()), 1);
  EXPECT_EQ(OvertakeCount(Handy0), 5);  // the start level's count
  EXPECT_EQ(OvertakeCount(kHandicapPresets.back()), 250);
  for (std::size_t i = 1; i < kHandicapPresets.size(); ++i) {
    EXPECT_GT(OvertakeCount(kHandicapPresets[i]), OvertakeCount(kHandicapPresets[i - 1]));
  }
}

}  // namespace
}  // namespace kx14
