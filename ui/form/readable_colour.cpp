#include "ui/form/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace kx14 {
namespace {

constexpr double kReadable = 4.5;
constexpr TColour kBlack{0, 0, 0};
constexpr TColour kWhite{255, 255, 255};

double Linear(std::uint8_t channel) {
  const double value = channel / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(TColour colour) {
  return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) +
         0.0722 * Linear(colour.blue);
}

// Ordinary system colours put dark text on light faces.
bool DarkText(TColour systemText) { return ContrastRatio(systemText, kWhite) >= kReadable; }

}  // namespace

double ContrastRatio(TColour a, TColour b) {
  const double first = Luminance(a), second = Luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

TColour ReadableTextColour(TColour face, TColour wanted, TColour systemText) {
  if (DarkText(systemText) || ContrastRatio(wanted, face) >= kReadable) return wanted;
  return ContrastRatio(kBlack, face) >= ContrastRatio(kWhite, face) ? kBlack : kWhite;
}

}  // namespace kx14
