#include "comm/posix_fd_waits.h"

#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <system_error>

namespace kx14 {

using Clock = std::chrono::steady_clock;

int PollTimeoutMs(std::optional<Clock::duration> remaining) {
  if (!remaining) return -1;
  if (*remaining <= Clock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(*remaining).count();
  return static_cast<int>(std::min<std::int64_t>(ms, INT_MAX));
}

InputEdgeWaiter::InputEdgeWaiter(int portFd)
    : portFd_(portFd), epollFd_(epoll_create1(EPOLL_CLOEXEC)) {
  if (epollFd_ < 0) throw std::system_error(errno, std::generic_category(), "epoll_create1");
  epoll_event ev{};
  ev.events = EPOLLIN | EPOLLET | EPOLLRDHUP;
  ev.data.fd = portFd_;
  if (epoll_ctl(epollFd_, EPOLL_CTL_ADD, portFd_, &ev) != 0) {
    const int error = errno;
    close(epollFd_);
    throw std::system_error(error, std::generic_category(), "epoll_ctl");
  }
}

InputEdgeWaiter::~InputEdgeWaiter() { close(epollFd_); }

PortWake InputEdgeWaiter::TakeEdge() {
  PortWake wake;
  epoll_event ev{};
  int n;
  do {
    n = epoll_wait(epollFd_, &ev, 1, 0);
  } while (n < 0 && errno == EINTR);
  if (n != 1) return wake;
  wake.received = (ev.events & EPOLLIN) != 0;
  if (ev.events & (EPOLLHUP | EPOLLERR)) {
    // A hung-up descriptor reports HUP on every wake-up of its queues; stop
    // watching it so nothing spins, and let the window side notice.
    wake.hungUp = true;
    epoll_ctl(epollFd_, EPOLL_CTL_DEL, portFd_, nullptr);
    watching_ = false;
  }
  return wake;
}

PortWake InputEdgeWaiter::Wait(WakeSignal& wake) {
  // The epoll descriptor itself is readable while an edge is pending, so one
  // poll() covers the port and the wake signal.
  std::array<pollfd, 2> fds{{{wake.Fd(), POLLIN, 0}, {epollFd_, POLLIN, 0}}};
  const nfds_t count = watching_ ? 2 : 1;
  while (poll(fds.data(), count, -1) < 0) {
    if (errno != EINTR) return PortWake{.woken = true};
  }
  PortWake result;
  if (count == 2 && fds[1].revents != 0) result = TakeEdge();
  if (fds[0].revents != 0) {
    wake.Drain();
    result.woken = true;
  }
  return result;
}

WaitOutcome WaitFdWritable(int fd, WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) {
  std::optional<Clock::time_point> deadline;
  if (timeout) deadline = Clock::now() + *timeout;
  for (;;) {
    std::array<pollfd, 2> fds{{{wake.Fd(), POLLIN, 0}, {fd, POLLOUT, 0}}};
    std::optional<Clock::duration> remaining;
    if (deadline) remaining = *deadline - Clock::now();
    const int n = poll(fds.data(), fds.size(), PollTimeoutMs(remaining));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return WaitOutcome::kHungUp;
    if (fds[0].revents != 0) return WaitOutcome::kWoken;
    if (fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) return WaitOutcome::kHungUp;
    if (fds[1].revents & POLLOUT) return WaitOutcome::kReady;
    if (n == 0) return WaitOutcome::kTimedOut;
  }
}

}  // namespace kx14
