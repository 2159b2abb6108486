#include "protocol/handicap_captions.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kx14 {
namespace {

struct LevelNames {
  std::string_view caption;
  std::string_view shortName;
};

// In the order of kHandicapPresets.
constexpr std::array<LevelNames, 10> kLevelNames = {{
    {"Vorer仙人", "S"},
    {"Vorer名人", "M"},
    {"ハンデ無し", "0"},
    {"ハンデ＋１", "1"},
    {"ハンデ＋２", "2"},
    {"ハンデ＋３", "3"},
    {"ハンデ＋４", "4"},
    {"ハンデ＋５", "5"},
    {"ハンデ＋６", "6"},
    {"ハンデ＋ＭＡＸ", "MAX"},
}};

const LevelNames& NamesOf(THandicapPreset preset) {
  return kLevelNames.at(static_cast<std::size_t>(preset));
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string_view HandicapCaption(THandicapPreset preset) { return NamesOf(preset).caption; }

std::string_view HandicapShortName(THandicapPreset preset) { return NamesOf(preset).shortName; }

std::optional<THandicapPreset> HandicapByName(std::string_view name) {
  for (THandicapPreset preset : kHandicapPresets) {
    if (EqualIgnoringCase(name, NamesOf(preset).shortName) || name == NamesOf(preset).caption) {
      return preset;
    }
  }
  return std::nullopt;
}

}  // namespace kx14
