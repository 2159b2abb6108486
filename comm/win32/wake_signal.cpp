// The wake signal on Windows: a manual-reset event, which stays signalled
// until Drain() like the Linux eventfd stays readable.
#include <windows.h>

#include <system_error>

#include "comm/wake_signal.h"

namespace kx14 {
namespace {
HANDLE EventOf(std::intptr_t native) { return reinterpret_cast<HANDLE>(native); }
}  // namespace

WakeSignal::WakeSignal()
    : native_(reinterpret_cast<std::intptr_t>(CreateEventW(nullptr, TRUE, FALSE, nullptr))) {
  if (native_ == 0) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                            "CreateEvent");
  }
}

WakeSignal::~WakeSignal() { CloseHandle(EventOf(native_)); }

void WakeSignal::Signal() { SetEvent(EventOf(native_)); }

void WakeSignal::Drain() { ResetEvent(EventOf(native_)); }

}  // namespace kx14
