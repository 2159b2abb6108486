#pragma once

// Where each control of the track-side window goes in a client area of the
// given size: the setup on the left (two fifths), the race on the right;
// the tables and lists share what the fixed rows leave.

#include <windows.h>

#include <map>
#include <string>

namespace kx14::trackside {

void PlaceControls(const std::map<std::string, HWND>& controls, int width, int height);

}  // namespace kx14::trackside
