#include "pty_pair.h"

#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace kx14::testing {

using Clock = std::chrono::steady_clock;

PtyPair::PtyPair(Line line) {
  char name[PATH_MAX];
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, line == Line::kRaw ? &raw : nullptr, nullptr) != 0) {
    throw std::runtime_error("openpty failed");
  }
  slavePath_ = name;
  fcntl(master_, F_SETFD, FD_CLOEXEC);
  fcntl(slave_, F_SETFD, FD_CLOEXEC);
  // (Termios calls on a master act on its slave; the master's own side is
  // raw from the start.)
}

PtyPair::~PtyPair() {
  CloseMaster();
  close(slave_);
}

void PtyPair::WriteMaster(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error("write to the pty master failed");
    done += static_cast<std::size_t>(n);
  }
}

std::string ReadFromFd(int fd, std::size_t count, std::chrono::milliseconds timeout) {
  std::string got;
  const auto deadline = Clock::now() + timeout;
  while (got.size() < count) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - got.size()));
    if (n <= 0) break;
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

std::string PtyPair::ReadMaster(std::size_t count, std::chrono::milliseconds timeout) {
  return ReadFromFd(master_, count, timeout);
}

std::string PtyPair::DrainMaster(std::chrono::milliseconds quiet) {
  std::string got;
  for (;;) {
    pollfd fd{master_, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(quiet.count())) <= 0) return got;
    char buffer[4096];
    const ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) return got;
    got.append(buffer, static_cast<std::size_t>(n));
  }
}

void PtyPair::CloseMaster() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

}  // namespace kx14::testing
