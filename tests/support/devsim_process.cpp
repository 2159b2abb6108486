#include "devsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>

extern char** environ;

namespace kx14::testing {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& base,
                                         const std::string& name, const std::string& value) {
  std::vector<std::string> env;
  for (const std::string& entry : base) {
    if (std::string_view(entry).substr(0, name.size() + 1) != name + "=") env.push_back(entry);
  }
  env.push_back(name + "=" + value);
  return env;
}

std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value) {
  std::vector<std::string> own;
  for (char** entry = environ; *entry != nullptr; ++entry) own.emplace_back(*entry);
  return EnvironmentWith(own, name, value);
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

int MillisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

}  // namespace

DevsimProcess::DevsimProcess(const std::filesystem::path& binary,
                             const std::filesystem::path& configHome,
                             const std::vector<std::string>& args) {
  std::array<int, 2> in{};
  std::array<int, 2> out{};
  if (::pipe2(in.data(), O_CLOEXEC) != 0 || ::pipe2(out.data(), O_CLOEXEC) != 0) ThrowErrno("pipe");
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);

  std::vector<std::string> argv{binary.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  // The history too stays in the test's directory, never the user's own.
  std::vector<std::string> env = EnvironmentWith("XDG_CONFIG_HOME", configHome.string());
  env = EnvironmentWith(env, "XDG_DATA_HOME", configHome.string());
  const int error = ::posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(),
                                  Pointers(env).data());
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  stdin_ = in[1];
  stdout_ = out[0];
  if (error != 0) throw std::system_error(error, std::generic_category(), "posix_spawn");
}

DevsimProcess::~DevsimProcess() {
  if (!exited_ && pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  ::close(stdin_);
  ::close(stdout_);
}

std::optional<std::string> DevsimProcess::ReadLine(std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
      lines_.push_back(buffer_.substr(0, end));
      buffer_.erase(0, end + 1);
      return lines_.back();
    }
    pollfd fd{stdout_, POLLIN, 0};
    if (::poll(&fd, 1, MillisecondsLeft(deadline)) <= 0) return std::nullopt;
    std::array<char, 4096> chunk{};
    const ssize_t count = ::read(stdout_, chunk.data(), chunk.size());
    if (count <= 0) return std::nullopt;
    buffer_.append(chunk.data(), static_cast<std::size_t>(count));
  }
}

std::optional<std::string> DevsimProcess::WaitForLine(std::string_view prefix,
                                                      std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (const auto line = ReadLine(std::chrono::milliseconds(MillisecondsLeft(deadline)))) {
    if (line->substr(0, prefix.size()) == prefix) return line;
  }
  return std::nullopt;
}

void DevsimProcess::Send(std::string_view text) {
  if (::write(stdin_, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    ThrowErrno("write to simulator");
  }
}

void DevsimProcess::Signal(int signal) { ::kill(pid_, signal); }

std::optional<int> DevsimProcess::WaitExit(std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      exited_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (Clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::chrono::milliseconds DevsimProcess::CpuTime() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  // Fields after the command name, which is in parentheses and may hold blanks.
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  long ticks = 0;
  for (int index = 3; fields >> field; ++index) {
    if (index == 14 || index == 15) ticks += std::stol(field);  // utime, stime
  }
  return std::chrono::milliseconds(ticks * 1000 / ::sysconf(_SC_CLK_TCK));
}

int OpenRawSerial(const std::filesystem::path& device) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) ThrowErrno("open serial device");
  termios settings{};
  ::tcgetattr(fd, &settings);
  ::cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD;
  ::tcsetattr(fd, TCSANOW, &settings);
  ::tcflush(fd, TCIOFLUSH);
  return fd;
}

std::string Exchange(int fd, std::string_view command, std::size_t count,
                     std::chrono::milliseconds timeout) {
  if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size())) {
    ThrowErrno("write to serial device");
  }
  const Clock::time_point deadline = Clock::now() + timeout;
  std::string reply;
  while (reply.size() < count) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, MillisecondsLeft(deadline)) <= 0) break;
    std::array<char, 256> chunk{};
    const ssize_t got = ::read(fd, chunk.data(), std::min(chunk.size(), count - reply.size()));
    if (got <= 0) break;
    reply.append(chunk.data(), static_cast<std::size_t>(got));
  }
  return reply;
}

}  // namespace kx14::testing
