#include "bench/plain_port.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace kx14::bench {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

PlainPort::PlainPort(const std::string& path)
    : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
  if (fd_ < 0) throw std::runtime_error("cannot open " + path);
  termios raw{};
  tcgetattr(fd_, &raw);
  cfmakeraw(&raw);
  tcsetattr(fd_, TCSANOW, &raw);
}

PlainPort::~PlainPort() { close(fd_); }

bool PlainPort::WriteAll(const char* data, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = write(fd_, data + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::size_t PlainPort::Exchange(const ByteString& command, std::size_t replyLength,
                                std::chrono::milliseconds timeout) {
  if (!WriteAll(command.data(), command.size())) return 0;
  const auto deadline = Clock::now() + timeout;
  std::array<char, 256> reply{};
  std::size_t got = 0;
  while (got < replyLength && got < reply.size()) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd_, POLLIN, 0};
    if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) break;
    const ssize_t n = read(fd_, reply.data() + got, replyLength - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

void PlainPort::PurgeInput() { tcflush(fd_, TCIFLUSH); }

}  // namespace kx14::bench
