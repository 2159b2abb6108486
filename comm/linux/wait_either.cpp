#include <poll.h>

#include <array>
#include <cerrno>

#include "comm/linux/fd_waits.h"
#include "comm/wait_object.h"

namespace kx14 {

EitherReady WaitForEither(WaitObject first, WaitObject second, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + timeout;
  // poll() ignores a negative descriptor, which makes a none object never ready.
  std::array<pollfd, 2> fds{{{static_cast<int>(first.native), POLLIN, 0},
                             {static_cast<int>(second.native), POLLIN, 0}}};
  int n;
  do {
    n = poll(fds.data(), fds.size(), PollTimeoutMs(deadline - Clock::now()));
  } while (n < 0 && errno == EINTR);
  if (n <= 0) return EitherReady::kTimedOut;
  return fds[0].revents != 0 ? EitherReady::kFirst : EitherReady::kSecond;
}

}  // namespace kx14
