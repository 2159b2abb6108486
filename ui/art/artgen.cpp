// kx14_artgen <output-directory>
// kx14_artgen --icons <output-directory>
// kx14_artgen --windows-icon <output-directory>
// Draws the window's artwork and writes it twice: as bare pixel words that
// the program embeds (picture.rgb32, program.glyph, read.glyph, exit.glyph)
// and as BMP files to look at (picture.bmp, program.bmp, read.bmp,
// exit.bmp). With --icons it draws the desktop icon instead, as PNG files
// kx14-manager-<size>.png; with --windows-icon, as one kx14-manager.ico for
// the Windows resource compiler. Run by the build; exits non-zero, naming the file,
// when a file cannot be written, so the build stops there.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bmp_writer.h"
#include "glyphs.h"
#include "ico_writer.h"
#include "icon.h"
#include "picture.h"
#include "png_writer.h"
#include "raw_pixels.h"

namespace {

using namespace kx14::art;

bool writeArtwork(const std::filesystem::path& directory, const std::string& name,
                  const Bytes& bytes) {
  const std::filesystem::path path = directory / name;
  if (writeFileAtomically(path, bytes)) return true;
  std::cerr << "kx14_artgen: cannot write " << path << '\n';
  return false;
}

bool writeWindowArtwork(const std::filesystem::path& directory) {
  const RgbImage picture = drawRacingPicture();
  const IndexedImage glyphs[] = {programGlyph(), readGlyph(), exitGlyph()};
  const char* const glyphNames[] = {"program", "read", "exit"};
  bool written = writeArtwork(directory, "picture.rgb32", encodeRawRgb32(picture)) &&
                 writeArtwork(directory, "picture.bmp", encodeBmp24(picture));
  for (std::size_t i = 0; written && i < std::size(glyphs); ++i) {
    const std::string name = glyphNames[i];
    written =
        writeArtwork(directory, name + ".glyph", encodeRawGlyph(glyphs[i], kTransparentIndex)) &&
        writeArtwork(directory, name + ".bmp", encodeBmp8(glyphs[i]));
  }
  return written;
}

bool writeIcons(const std::filesystem::path& directory) {
  for (const int size : kIconSizes) {
    const std::string name = "kx14-manager-" + std::to_string(size) + ".png";
    if (!writeArtwork(directory, name, encodePng(drawAppIcon(size)))) return false;
  }
  return true;
}

bool writeWindowsIcon(const std::filesystem::path& directory) {
  std::vector<RgbaImage> images;
  for (const int size : kWindowsIconSizes) images.push_back(drawAppIcon(size));
  return writeArtwork(directory, "kx14-manager.ico", encodeIco(images));
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  const bool icons = mode == "--icons";
  const bool windowsIcon = mode == "--windows-icon";
  if (argc != 2 && !icons && !windowsIcon) {
    std::cerr << "usage: kx14_artgen [--icons | --windows-icon] <output-directory>\n";
    return 2;
  }
  const std::filesystem::path directory = argv[argc - 1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::cerr << "kx14_artgen: cannot create " << directory << ": " << error.message() << '\n';
    return 1;
  }
  const bool written = icons         ? writeIcons(directory)
                       : windowsIcon ? writeWindowsIcon(directory)
                                     : writeWindowArtwork(directory);
  return written ? 0 : 1;
}
