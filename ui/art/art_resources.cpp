#include "art_resources.h"

#include <QFile>

namespace kx14::art {

bool artResourcesPresent() {
  for (const char* path :
       {kPictureResource, kProgramGlyphResource, kReadGlyphResource, kExitGlyphResource}) {
    if (!QFile::exists(QString::fromLatin1(path))) return false;
  }
  return true;
}

}  // namespace kx14::art
