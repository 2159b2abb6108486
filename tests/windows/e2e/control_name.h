#pragma once

// The layout name of a window's control ("MON_EDIT") from its control ID, or
// an empty string for an ID the layout does not know.

#include <string>

std::string ControlNameOf(int id);
