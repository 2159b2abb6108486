#include <windows.h>

#include <array>

#include "comm/wait_object.h"

namespace kx14 {

EitherReady WaitForEither(WaitObject first, WaitObject second, std::chrono::milliseconds timeout) {
  std::array<HANDLE, 2> handles{};
  std::array<EitherReady, 2> meaning{};
  DWORD count = 0;
  for (const auto& [object, which] :
       {std::pair{first, EitherReady::kFirst}, std::pair{second, EitherReady::kSecond}}) {
    if (object.IsNone()) continue;
    handles[count] = reinterpret_cast<HANDLE>(object.native);
    meaning[count] = which;
    ++count;
  }
  const auto ms = static_cast<DWORD>(std::max<std::int64_t>(0, timeout.count()));
  if (count == 0) {
    Sleep(ms);
    return EitherReady::kTimedOut;
  }
  // The lowest signalled index is reported, which puts `first` ahead.
  const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE, ms);
  if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
    return meaning[result - WAIT_OBJECT_0];
  }
  return EitherReady::kTimedOut;
}

}  // namespace kx14
