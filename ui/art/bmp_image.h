// In-memory images that the BMP writer stores: true-colour and palettised.
// Both keep their rows top-down (row 0 is the top of the picture); the writer
// turns them into the bottom-up order that BMP files use.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace kx14::art {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A 24-bit picture. Pixels outside the image are a programming error.
class RgbImage {
 public:
  RgbImage(int width, int height, Rgb fill = {});
  int width() const { return width_; }
  int height() const { return height_; }
  Rgb& at(int x, int y) { return pixels_[index(x, y)]; }
  const Rgb& at(int x, int y) const { return pixels_[index(x, y)]; }

 private:
  std::size_t index(int x, int y) const;
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// An 8-bit image whose pixels are indices into a 256-entry palette.
class IndexedImage {
 public:
  using Palette = std::array<Rgb, 256>;
  IndexedImage(int width, int height, const Palette& palette, std::uint8_t fill = 0);
  int width() const { return width_; }
  int height() const { return height_; }
  const Palette& palette() const { return palette_; }
  std::uint8_t& at(int x, int y) { return indices_[index(x, y)]; }
  std::uint8_t at(int x, int y) const { return indices_[index(x, y)]; }

 private:
  std::size_t index(int x, int y) const;
  int width_;
  int height_;
  Palette palette_;
  std::vector<std::uint8_t> indices_;
};

}  // namespace kx14::art
