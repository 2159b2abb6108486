#include "comm/linux_poll_message_pump.h"

#include <poll.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "comm/linux_fd_waits.h"

namespace kx14 {

using Clock = std::chrono::steady_clock;

namespace {
constexpr std::chrono::milliseconds kRecheckInterval{10};
}  // namespace

void PollMessagePump::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    hasTasks_ = true;
  }
  posted_.Signal();
}

std::size_t PollMessagePump::PendingTasks() const {
  std::lock_guard lock(mutex_);
  return tasks_.size();
}

bool PollMessagePump::RunPosted() {
  if (!hasTasks_.load()) return false;
  // Drained before the queue is taken: a task posted after this point sets
  // the signal again and wakes the next wait (at worst once for nothing).
  posted_.Drain();
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(tasks_);
    hasTasks_ = false;
  }
  const bool ranAny = !batch.empty();
  while (!batch.empty()) {
    std::function<void()> task = std::move(batch.front());
    batch.pop_front();
    try {
      task();
    } catch (...) {
      std::lock_guard lock(mutex_);
      tasks_.insert(tasks_.begin(), std::make_move_iterator(batch.begin()),
                    std::make_move_iterator(batch.end()));
      if (!tasks_.empty()) {
        hasTasks_ = true;
        posted_.Signal();
      }
      throw;
    }
  }
  return ranAny;
}

void PollMessagePump::ProcessMessages() { RunPosted(); }

void PollMessagePump::WaitReadable(int fd, std::chrono::milliseconds timeout) {
  if (RunPosted()) return;
  // poll() ignores a negative descriptor, which gives "messages and time only".
  std::array<pollfd, 2> fds{{{posted_.Fd(), POLLIN, 0}, {fd, POLLIN, 0}}};
  // An interrupted poll() resumes with the time left, not the whole time-out:
  // signals arriving again and again must not stretch the wait.
  const auto deadline = Clock::now() + timeout;
  int n;
  do {
    n = poll(fds.data(), fds.size(), PollTimeoutMs(deadline - Clock::now()));
  } while (n < 0 && errno == EINTR);
  // The caller's descriptor goes first: its data is what the caller waits
  // for, and tasks posted meanwhile run at the start of the next call.
  if (n <= 0 || fds[1].revents != 0) return;
  if (fds[0].revents != 0) {
    posted_.Drain();  // also when the tasks it announced already ran
    RunPosted();
  }
}

bool PollMessagePump::RunUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    ProcessMessages();
    if (done()) return true;
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) return false;
    // `done` may depend on other threads, not only on posted tasks.
    WaitReadable(
        -1, std::min(kRecheckInterval, std::chrono::ceil<std::chrono::milliseconds>(remaining)));
  }
}

void PollMessagePump::RunFor(std::chrono::milliseconds duration) {
  RunUntil([] { return false; }, duration);
}

}  // namespace kx14
