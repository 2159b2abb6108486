#pragma once

// How kx14ctl shows a block to people: a short table of its fields, the raw
// block and the level its OT_MAX stands for.

#include <string>

#include "protocol/handicap_preset.h"
#include "protocol/parameter_block.h"

namespace kx14::cli {

// "ハンデ＋３ (3)".
std::string LevelText(THandicapPreset level);
// The level a read of this block chooses.
THandicapPreset LevelOfBlock(const BlockBytes& block);
// One line per field, then "block" and "level".
std::string BlockTable(const BlockBytes& block);

}  // namespace kx14::cli
