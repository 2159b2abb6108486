#include "comm/win32/comm_state.h"

#include <cstring>

namespace kx14 {

static_assert(sizeof(DCB) == sizeof(Dcb), "the component's control block is the Win32 DCB");

bool ReadCommState(HANDLE port, Dcb& dcb) {
  DCB native{};
  native.DCBlength = sizeof native;
  if (!GetCommState(port, &native)) return false;
  std::memcpy(static_cast<void*>(&dcb), &native, sizeof dcb);
  return true;
}

bool WriteCommState(HANDLE port, const Dcb& dcb) {
  DCB native{};
  std::memcpy(&native, &dcb, sizeof native);
  native.DCBlength = sizeof native;
  return SetCommState(port, &native) != FALSE;
}

}  // namespace kx14
