#pragma once

// The system's own text for a Win32 error code, for the messages kx14ctl
// prints when a file cannot be written.

#include <windows.h>

#include <string>

namespace kx14::cli {

// Without the trailing line break and full stop; "Windows error N" when the
// system has no text for the code.
std::string SystemMessage(DWORD error);

}  // namespace kx14::cli
