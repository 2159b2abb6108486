#include "bench/paced_line.h"

#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <optional>

#include "tools/devsim/output_schedule.h"

namespace kx14::bench {
namespace {

using devsim::Clock;

// One direction of the line: bytes read from `from` go out on `to` one byte
// time after they came, spaced by at least one byte time.
struct Direction {
  int from;
  int to;
  devsim::OutputSchedule schedule;
  std::chrono::nanoseconds byteTime;

  void Take(Clock::time_point now) {
    std::array<char, 4096> buffer{};
    const ssize_t n = read(from, buffer.data(), buffer.size());
    if (n > 0) schedule.Add({buffer.data(), static_cast<std::size_t>(n)}, now + byteTime);
  }

  void Deliver(Clock::time_point now) {
    const ByteString due = schedule.TakeDue(now);
    std::size_t done = 0;
    while (done < due.size()) {
      const ssize_t n = write(to, due.data() + done, due.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;  // the far side is gone; a dead line loses bytes too
      done += static_cast<std::size_t>(n);
    }
  }
};

std::optional<Clock::time_point> Earliest(std::optional<Clock::time_point> a,
                                          std::optional<Clock::time_point> b) {
  if (!a) return b;
  if (!b) return a;
  return std::min(*a, *b);
}

timespec Until(Clock::time_point due, Clock::time_point now) {
  const auto ns = std::max<std::int64_t>(
      0, std::chrono::duration_cast<std::chrono::nanoseconds>(due - now).count());
  return {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
}

}  // namespace

PacedLine::PacedLine(int hostSide, int deviceSide, long baud)
    : hostSide_(hostSide), deviceSide_(deviceSide), baud_(baud), thread_([this] { Run(); }) {}

PacedLine::~PacedLine() {
  stop_.Signal();
  thread_.join();
}

void PacedLine::Run() {
  // The default 50 us timer slack would be added to every byte's delivery.
  prctl(PR_SET_TIMERSLACK, 1UL);
  const std::chrono::nanoseconds byteTime = devsim::ByteTimeAtBaud(baud_);
  Direction toDevice{hostSide_, deviceSide_, devsim::OutputSchedule(byteTime), byteTime};
  Direction toHost{deviceSide_, hostSide_, devsim::OutputSchedule(byteTime), byteTime};
  for (;;) {
    std::array<pollfd, 3> fds{
        {{hostSide_, POLLIN, 0}, {deviceSide_, POLLIN, 0}, {static_cast<int>(stop_.Handle().native), POLLIN, 0}}};
    const Clock::time_point now = Clock::now();
    const auto due = Earliest(toDevice.schedule.NextDue(), toHost.schedule.NextDue());
    const timespec wait = due ? Until(*due, now) : timespec{0, 50'000'000};
    if (ppoll(fds.data(), fds.size(), &wait, nullptr) < 0 && errno != EINTR) return;
    if (fds[2].revents != 0) return;
    const Clock::time_point woke = Clock::now();
    if (fds[0].revents & POLLIN) toDevice.Take(woke);
    if (fds[1].revents & POLLIN) toHost.Take(woke);
    toDevice.Deliver(woke);
    toHost.Deliver(woke);
    // A side with no opener reports POLLHUP at once; the 50 ms idle wait
    // above keeps that from spinning.
    if ((fds[0].revents | fds[1].revents) & POLLHUP) poll(nullptr, 0, 1);
  }
}

}  // namespace kx14::bench
