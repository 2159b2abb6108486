#include "control_name.h"

// For a window without a layout table (the bare window): no names.
std::string ControlNameOf(int) { return {}; }
