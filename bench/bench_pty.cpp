#include "bench/bench_pty.h"

#include <fcntl.h>
#include <limits.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace kx14::bench {

BenchPty::BenchPty() {
  char name[PATH_MAX];
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  // Peers are separate processes: they must not inherit the far end's side.
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  slavePath_ = name;
}

BenchPty::~BenchPty() {
  close(slave_);
  close(master_);
}

}  // namespace kx14::bench
