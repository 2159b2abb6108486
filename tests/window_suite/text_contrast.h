#pragma once

// The contrast of a text as a screenshot shows it, for either toolkit: the
// most common colour of the text's area is its background; the text is the
// colour, among those drawn on at least a few pixels, that stands out most.

#include <map>
#include <tuple>
#include <vector>

#include "ui/form/readable_colour.h"

namespace kx14::test {

struct Contrast {
  double ratio = 1.0;
  TColour text, background;
};

inline Contrast ContrastIn(const std::vector<TColour>& pixels) {
  std::map<std::tuple<int, int, int>, std::pair<TColour, int>> counts;
  for (const TColour& pixel : pixels) {
    auto& [colour, count] = counts[{pixel.red, pixel.green, pixel.blue}];
    colour = pixel;
    ++count;
  }
  TColour background;
  int most = 0;
  for (const auto& [key, entry] : counts) {
    if (entry.second > most) std::tie(background, most) = entry;
  }
  Contrast best{1.0, background, background};
  for (const auto& [key, entry] : counts) {
    const double ratio = ContrastRatio(entry.first, background);
    if (entry.second >= 4 && ratio > best.ratio) best = {ratio, entry.first, background};
  }
  return best;
}

}  // namespace kx14::test
