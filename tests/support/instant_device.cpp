#include "instant_device.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace kx14::testing {

InstantDevice::InstantDevice(int master) : master_(master), thread_([this] { Run(); }) {}

InstantDevice::~InstantDevice() {
  stop_.Signal();
  thread_.join();
}

void InstantDevice::Run() {
  while (Serve()) {
  }
}

// Waits without a time-out: an idle far end costs no CPU, which matters while
// the bench measures what a waiting host costs.
bool InstantDevice::Serve() {
  std::array<pollfd, 2> fds{
      {{master_, POLLIN, 0}, {static_cast<int>(stop_.Handle().native), POLLIN, 0}}};
  if (poll(fds.data(), fds.size(), -1) < 0) return errno == EINTR;
  if (fds[1].revents != 0) return false;
  if ((fds[0].revents & POLLIN) == 0) {
    // POLLHUP with no slave open; the bench keeps one open, so only a
    // transient state. Do not spin on it.
    return poll(nullptr, 0, 1) >= 0;
  }
  std::array<char, 4096> buffer{};
  const ssize_t count = read(master_, buffer.data(), buffer.size());
  if (count <= 0) return count < 0 && (errno == EINTR || errno == EAGAIN);
  const devsim::ResponderOutput output =
      responder_.Receive({buffer.data(), static_cast<std::size_t>(count)}, devsim::Clock::now());
  if (silent_) return true;
  for (const devsim::Reply& reply : output.replies) WriteAll(reply.bytes);
  return true;
}

void InstantDevice::WriteAll(const ByteString& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // the client went away; its exchange fails on its own
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace kx14::testing
