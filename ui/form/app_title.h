#pragma once

#include <string>
#include <string_view>

namespace kx14 {

// The application title that the program gets from its own file name: the
// name without its folder ("/" or "\"), cut at its first ".", first letter
// upper case and every letter after it lower case ("/usr/bin/kx14-manager"
// and "C:\Program Files\kx14-manager.exe" give "Kx14-manager"). UTF-8; only
// ASCII letters change case.
std::string ApplicationTitleFromPath(std::string_view programPath);

}  // namespace kx14
