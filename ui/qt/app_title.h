#pragma once

#include <QString>

namespace kx14 {

// The application title that the program gets from its own file name: the
// name without its folder, cut at its first ".", first letter upper case and
// every letter after it lower case ("/usr/bin/kx14-manager" gives
// "Kx14-manager").
QString ApplicationTitleFromPath(const QString& programPath);

// Sets the application title (kept as the application name, which the
// error box shows as its caption) from this program's own file.
void SetApplicationTitleFromProgramFile();

}  // namespace kx14
