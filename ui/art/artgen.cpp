// kx14_artgen <output-directory>
// Draws the window's artwork and writes it twice: as bare pixel words that
// the program embeds (picture.rgb32, program.glyph, read.glyph, exit.glyph)
// and as BMP files to look at (picture.bmp, program.bmp, read.bmp,
// exit.bmp). Run by the build; exits non-zero, naming the file, when a file
// cannot be written, so the build stops there.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>

#include "bmp_writer.h"
#include "glyphs.h"
#include "picture.h"
#include "raw_pixels.h"

namespace {

bool writeArtwork(const std::filesystem::path& directory, const std::string& name,
                  const kx14::art::Bytes& bytes) {
  const std::filesystem::path path = directory / name;
  if (kx14::art::writeFileAtomically(path, bytes)) return true;
  std::cerr << "kx14_artgen: cannot write " << path << '\n';
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: kx14_artgen <output-directory>\n";
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::cerr << "kx14_artgen: cannot create " << directory << ": " << error.message() << '\n';
    return 1;
  }
  using namespace kx14::art;
  const RgbImage picture = drawRacingPicture();
  const IndexedImage glyphs[] = {programGlyph(), readGlyph(), exitGlyph()};
  const char* const glyphNames[] = {"program", "read", "exit"};
  bool written = writeArtwork(directory, "picture.rgb32", encodeRawRgb32(picture)) &&
                 writeArtwork(directory, "picture.bmp", encodeBmp24(picture));
  for (std::size_t i = 0; written && i < std::size(glyphs); ++i) {
    const std::string name = glyphNames[i];
    written = writeArtwork(directory, name + ".glyph", encodeRawGlyph(glyphs[i], kTransparentIndex)) &&
              writeArtwork(directory, name + ".bmp", encodeBmp8(glyphs[i]));
  }
  return written ? 0 : 1;
}
