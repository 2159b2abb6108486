#include "bench/pty_drain.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <vector>

namespace kx14::bench {

PtyDrain::PtyDrain(int master) : master_(master), thread_([this] { Run(); }) {}

PtyDrain::~PtyDrain() {
  stop_.Signal();
  thread_.join();
}

// Called while the line is quiet (no transfer under way), so the counter
// cannot race with the reset.
void PtyDrain::Expect(std::size_t expected) {
  done_.Drain();
  received_ = 0;
  expected_ = expected;
}

void PtyDrain::Run() {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    std::array<pollfd, 2> fds{{{master_, POLLIN, 0}, {static_cast<int>(stop_.Handle().native), POLLIN, 0}}};
    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
    if (fds[1].revents != 0) return;
    if ((fds[0].revents & POLLIN) == 0) continue;
    const ssize_t n = read(master_, buffer.data(), buffer.size());
    if (n > 0 && (received_ += static_cast<std::size_t>(n)) >= expected_) done_.Signal();
  }
}

}  // namespace kx14::bench
