#pragma once

#include <array>
#include <string>

namespace kx14 {

// The ten handicap levels of the picture panel, from the fewest overtakes to
// the most (the order of kHandicapPresets, whose OvertakeCount is the limit
// each sets): each button's caption, its top on the panel and the comment it
// shows.
struct HandicapPreset {
  const char* caption;
  int top;
};

inline constexpr int kPresetCount = 10;
inline constexpr int kHandy0Index = 2;  // selected when the window opens

const std::array<HandicapPreset, kPresetCount>& HandicapPresets();

// The comment of preset `index`: its lines joined by "\r\n", none after the
// last. Every comment starts with CommentHeading() and ends with the line
// that states the preset's overtake count.
std::string PresetComment(int index);

// The comment box's text before any preset has been chosen.
std::string CommentHeading();

}  // namespace kx14
