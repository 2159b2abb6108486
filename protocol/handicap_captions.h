#pragma once

// The captions of the ten handicap levels as the window shows them (UTF-8),
// and the short names the command line takes for them.

#include <optional>
#include <string_view>

#include "protocol/handicap_preset.h"

namespace kx14 {

// "Vorer仙人", "Vorer名人", "ハンデ無し", "ハンデ＋１" ... "ハンデ＋ＭＡＸ".
std::string_view HandicapCaption(THandicapPreset preset);

// "S", "M", "0" ... "6", "MAX", in the window's order.
std::string_view HandicapShortName(THandicapPreset preset);

// The level named by its short name (any letter case) or its exact caption.
std::optional<THandicapPreset> HandicapByName(std::string_view name);

}  // namespace kx14
