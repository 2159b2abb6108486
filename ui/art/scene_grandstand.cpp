// The grandstand at the left of the horizon, with a crowd in many colours.
#include <cstdint>

#include "scene.h"

namespace kx14::art {

namespace {

using L = SceneLayout;

constexpr double kStandRight = 90;
constexpr double kRoofY = 68;

// A small linear congruential generator: the crowd comes out the same on
// every build and every platform, unlike the standard distributions.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed) {}
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / double(1u << 24);
  }

 private:
  std::uint32_t state_;
};

void drawCrowd(Canvas& canvas) {
  const Colour shirts[] = {hex(0xE53935), hex(0xFFFFFF), hex(0xFDD835), hex(0x1E88E5),
                           hex(0xFB8C00), hex(0x43A047), hex(0xF06292)};
  Dice dice(14);
  for (double y = kRoofY + 8; y < L::kHorizonY - 6; y += 4.2) {
    for (double x = L::kLeft + 1; x < kStandRight - 3; x += 2.6) {
      const auto pick = static_cast<std::size_t>(dice.next() * std::size(shirts));
      const double jitter = dice.next() - 0.5;
      canvas.fill(ellipse({x + jitter, y + jitter * 0.6}, 1.1, 1.5), shirts[pick], 0.85);
    }
  }
}

}  // namespace

void drawGrandstand(Canvas& canvas) {
  canvas.fill(rectangle(L::kLeft, kRoofY + 2, kStandRight, L::kHorizonY),
              verticalGradient(kRoofY, hex(0x56606E), L::kHorizonY, hex(0x7A8596)));
  drawCrowd(canvas);
  // Barrier wall in front of the stand, with the usual advertising stripe.
  canvas.fill(rectangle(L::kLeft, L::kHorizonY - 6, kStandRight + 2, L::kHorizonY + 1),
              hex(0xF2F2F2));
  canvas.fill(rectangle(L::kLeft, L::kHorizonY - 4, kStandRight + 2, L::kHorizonY - 2),
              hex(0x1F5FD0));
  // Cantilever roof, thicker at the front.
  canvas.fill(quad({L::kLeft, kRoofY - 4}, {kStandRight + 4, kRoofY}, {kStandRight + 4, kRoofY + 4},
                   {L::kLeft, kRoofY + 2}),
              hex(0xC62828));
  for (double x = 4; x < kStandRight; x += 28) {
    canvas.fill(rectangle(x, kRoofY + 2, x + 1.6, L::kHorizonY - 6), hex(0xD0D4DA));
  }
}

}  // namespace kx14::art
