#include "comm/linux/fd_waits.h"

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

void InputEdgeWaiter::SetWatching(bool on) {
  epoll_event ev{};
  ev.events = on ? (EPOLLIN | EPOLLET | EPOLLRDHUP) : 0;
  ev.data.fd = portFd_;
  // ENOENT once a hang-up took the port out of the set: nothing to watch.
  epoll_ctl(epollFd_, EPOLL_CTL_MOD, portFd_, &ev);
}

// The wake signal joins the same epoll set (level-triggered), so one
// epoll_wait covers both.
void InputEdgeWaiter::Watch(WakeSignal& wake) {
  if (wakeFd_ == FdOf(wake)) return;
  if (wakeFd_ >= 0) epoll_ctl(epollFd_, EPOLL_CTL_DEL, wakeFd_, nullptr);
  epoll_event ev{};
  ev.events = EPOLLIN;
  ev.data.fd = FdOf(wake);
  if (epoll_ctl(epollFd_, EPOLL_CTL_ADD, FdOf(wake), &ev) != 0) {
    throw std::system_error(errno, std::generic_category(), "epoll_ctl");
  }
  wakeFd_ = FdOf(wake);
}

PortWake InputEdgeWaiter::TakeEdge(const epoll_event& ev) {
  PortWake wake;
  wake.received = (ev.events & EPOLLIN) != 0;
  if (ev.events & (EPOLLHUP | EPOLLERR)) {
    // A hung-up descriptor reports HUP on every wake-up of its queues; stop
    // watching it so nothing spins, and let the window side notice.
    wake.hungUp = true;
    epoll_ctl(epollFd_, EPOLL_CTL_DEL, portFd_, nullptr);
  }
  return wake;
}

PortWake InputEdgeWaiter::Wait(WakeSignal& wake) {
  Watch(wake);
  std::array<epoll_event, 2> events{};
  int n;
  do {
    n = epoll_wait(epollFd_, events.data(), static_cast<int>(events.size()), -1);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return PortWake{.woken = true};
  PortWake result;
  for (int i = 0; i < n; ++i) {
    if (events[i].data.fd == portFd_) {
      const PortWake edge = TakeEdge(events[i]);
      result.received = edge.received;
      result.hungUp = edge.hungUp;
    } else {
      wake.Drain();
      result.woken = true;
    }
  }
  return result;
}

WaitOutcome WaitFdWritable(int fd, WakeSignal& wake,
                           std::optional<std::chrono::milliseconds> timeout) {
  std::optional<Clock::time_point> deadline;
  if (timeout) deadline = Clock::now() + *timeout;
  for (;;) {
    std::array<pollfd, 2> fds{{{FdOf(wake), POLLIN, 0}, {fd, POLLOUT, 0}}};
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
