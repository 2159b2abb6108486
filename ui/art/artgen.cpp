// kx14_artgen <output-directory>
// Draws the window's artwork and writes it as BMP files: the background
// picture (picture.bmp) and the glyphs of the program, read and exit buttons
// (program.bmp, read.bmp, exit.bmp). Run by the build; exits non-zero, naming
// the file, when a file cannot be written, so the build stops there.
#include <filesystem>
#include <iostream>
#include <system_error>

#include "bmp_writer.h"
#include "glyphs.h"
#include "picture.h"

namespace {

bool writeArtwork(const std::filesystem::path& directory, const char* name,
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
  const bool written = writeArtwork(directory, "picture.bmp", encodeBmp24(drawRacingPicture())) &&
                       writeArtwork(directory, "program.bmp", encodeBmp8(programGlyph())) &&
                       writeArtwork(directory, "read.bmp", encodeBmp8(readGlyph())) &&
                       writeArtwork(directory, "exit.bmp", encodeBmp8(exitGlyph()));
  return written ? 0 : 1;
}
