#pragma once

// The component's control block on Windows: it is the Win32 DCB itself, laid
// out member for member, so reading and setting the line is a copy each way.

#include <windows.h>

#include "comm/dcb.h"

namespace kx14 {

// False when the port refuses; then `dcb` is unchanged.
bool ReadCommState(HANDLE port, Dcb& dcb);
// False when the driver refuses the settings; then nothing changed.
bool WriteCommState(HANDLE port, const Dcb& dcb);

}  // namespace kx14
