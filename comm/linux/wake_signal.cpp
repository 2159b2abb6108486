#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

#include "comm/wake_signal.h"

namespace kx14 {

WakeSignal::WakeSignal() : native_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (native_ < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

WakeSignal::~WakeSignal() { close(static_cast<int>(native_)); }

void WakeSignal::Signal() {
  const std::uint64_t one = 1;
  // EAGAIN only when the counter is saturated, which is still "ready".
  while (write(static_cast<int>(native_), &one, sizeof one) < 0 && errno == EINTR) {
  }
}

void WakeSignal::Drain() {
  std::uint64_t value = 0;
  while (read(static_cast<int>(native_), &value, sizeof value) < 0 && errno == EINTR) {
  }
}

}  // namespace kx14
