#include "glyphs.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx14::art {

namespace {

// One character per pixel; '.' is the transparent background.
struct Ink {
  char symbol;
  Rgb colour;
};

constexpr Ink kInks[] = {
    {'.', kTransparentColour},  // must stay first: index 0 is the background
    {'k', {0, 0, 0}},           // outline
    {'d', {64, 64, 64}},        // dark grey
    {'g', {128, 128, 128}},     // grey
    {'l', {192, 192, 192}},     // light grey
    {'w', {255, 255, 255}},     // white
    {'D', {0, 96, 0}},          // dark green outline
    {'G', {0, 176, 0}},         // green
    {'L', {112, 224, 112}},     // light green highlight
    {'n', {0, 0, 128}},         // navy
    {'b', {30, 90, 208}},       // screen blue
    {'c', {128, 192, 255}},     // screen text, light blue
    {'R', {128, 0, 0}},         // dark red outline
    {'r', {224, 16, 16}},       // red
    {'p', {255, 96, 96}},       // light red highlight
    {'y', {255, 208, 0}},       // amber lamp
};

std::uint8_t inkIndex(char symbol) {
  for (std::size_t i = 0; i < std::size(kInks); ++i) {
    if (kInks[i].symbol == symbol) return static_cast<std::uint8_t>(i);
  }
  throw std::invalid_argument(std::string("glyph uses an unknown ink: ") + symbol);
}

// Builds a glyph from its rows, top row first. All rows must have one length.
IndexedImage fromRows(const std::vector<std::string_view>& rows) {
  const int width = static_cast<int>(rows.front().size());
  IndexedImage glyph(width, static_cast<int>(rows.size()), glyphPalette(), kTransparentIndex);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    if (static_cast<int>(rows[y].size()) != width) {
      throw std::invalid_argument("glyph rows differ in length");
    }
    for (int x = 0; x < width; ++x) {
      glyph.at(x, static_cast<int>(y)) = inkIndex(rows[y][static_cast<std::size_t>(x)]);
    }
  }
  return glyph;
}

}  // namespace

const IndexedImage::Palette& glyphPalette() {
  static const IndexedImage::Palette palette = [] {
    IndexedImage::Palette entries{};  // unused entries stay black
    for (std::size_t i = 0; i < std::size(kInks); ++i) entries[i] = kInks[i].colour;
    return entries;
  }();
  return palette;
}

IndexedImage programGlyph() {
  return fromRows({
      "........................",
      "kkkkkkkkkkkkk...........",
      "kwwwwwwwwwwlk.....D.....",
      "kwnnnnnnnnnlk.....DD....",
      "kwnccccbbbblk.....DLD...",
      "kwnbbbbbbbblk.DDDDDLGD..",
      "kwncccbbbbblk.DLLLLGGGD.",
      "kwnbbbbbbbblk.DGGGGGGGGD",
      "kwnccccbbbblk.DGGGGGGGD.",
      "kwnbbbbbbbblk.DDDDDGGD..",
      "kllllllllGllk.....DGD...",
      "kkkkkkkkkkkkk.....DD....",
      "....klllk.........D.....",
      "..kkkkkkkkk.............",
      "..kggggggdk.............",
      "..kkkkkkkkk.............",
  });
}

IndexedImage readGlyph() {
  return fromRows({
      "........................",
      "........................",
      ".....D.......kkkkkkkkkkk",
      "....DD.......kwwwwwwwwlk",
      "...DLD.......kwllllllldk",
      "..DGLDDDDD...kwlkkkkkldk",
      ".DGGGLLLLD..dkwlkLLLkldk",
      "DGGGGGGGGD..dkwlkkkkkldk",
      ".DGGGGGGGD..dkwllllllldk",
      "..DGGDDDDD...kwlrllylldk",
      "...DGD.......kwllllllldk",
      "....DD.......kwllllllldk",
      ".....D.......kldddddddgk",
      ".............kkkkkkkkkkk",
      "........................",
      "........................",
  });
}

IndexedImage exitGlyph() {
  return fromRows({
      "..........RRRR..........",
      "........RRrrrrRR........",
      ".......RpprrrrrrR.......",
      "......RpprrrrrrrrR......",
      "......RprrrrrrrrrR......",
      ".....RrwwwwwwwwwwrR.....",
      ".....RrwwwwwwwwwwrR.....",
      ".....RrwwwwwwwwwwrR.....",
      ".....RrllllllllllrR.....",
      "......RrrrrrrrrrrR......",
      "......RrrrrrrrrrrR......",
      ".......RrrrrrrrrR.......",
      "........RRrrrrRR........",
      "..........RRRR..........",
  });
}

}  // namespace kx14::art
