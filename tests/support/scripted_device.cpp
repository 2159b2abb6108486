#include "scripted_device.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <system_error>

namespace kx14::testing {
namespace {

void ThrowErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

}  // namespace

ScriptedDevice::ScriptedDevice() {
  if (::pipe2(stopPipe_, O_CLOEXEC) != 0) ThrowErrno("pipe2");
  thread_ = std::thread([this] { Run(); });
}

ScriptedDevice::~ScriptedDevice() {
  const char stop = 0;
  (void)!::write(stopPipe_[1], &stop, 1);
  thread_.join();
  for (int fd : stopPipe_) ::close(fd);
}

void ScriptedDevice::ExpectCommand(std::size_t commandLength, ByteString answer) {
  std::lock_guard lock(mutex_);
  scripts_.push_back({commandLength, std::move(answer)});
  AnswerReadyCommands();
}

void ScriptedDevice::Send(const ByteString& bytes) { pty_.WriteMaster(bytes); }

ByteString ScriptedDevice::WaitReceived(std::size_t count) {
  std::unique_lock lock(mutex_);
  arrived_.wait_for(lock, std::chrono::seconds(10), [&] { return received_.size() >= count; });
  return received_;
}

ByteString ScriptedDevice::Received() {
  std::lock_guard lock(mutex_);
  return received_;
}

void ScriptedDevice::AnswerReadyCommands() {
  while (!scripts_.empty() && received_.size() - consumed_ >= scripts_.front().commandLength) {
    consumed_ += scripts_.front().commandLength;
    pty_.WriteMaster(scripts_.front().answer);
    scripts_.pop_front();
  }
}

void ScriptedDevice::Run() {
  pollfd fds[2] = {{pty_.Master(), POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
  for (;;) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    // The slave stays open here, so the master never hangs up; anything but
    // readable data means the pair is gone.
    if ((fds[0].revents & POLLIN) == 0) return;
    char buffer[256];
    const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
    if (n <= 0) continue;
    std::lock_guard lock(mutex_);
    received_.append(buffer, static_cast<std::size_t>(n));
    AnswerReadyCommands();
    arrived_.notify_all();
  }
}

}  // namespace kx14::testing
