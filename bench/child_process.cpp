#include "bench/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace kx14::bench {
namespace {

using Clock = std::chrono::steady_clock;

bool WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  do {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    poll(nullptr, 0, 10);
  } while (Clock::now() < deadline);
  return false;
}

// The bench's environment with `overrides` replacing entries of the same name.
std::vector<std::string> MergedEnvironment(const std::vector<std::string>& overrides) {
  std::vector<std::string> merged = overrides;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string current = *entry;
    const std::string name = current.substr(0, current.find('=') + 1);
    const bool overridden = std::any_of(overrides.begin(), overrides.end(), [&](const auto& o) {
      return o.compare(0, name.size(), name) == 0;
    });
    if (!overridden) merged.push_back(current);
  }
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv, std::vector<std::string> environment) {
  int in[2];
  int out[2];
  if (pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<std::string> env = MergedEnvironment(environment);
  const std::vector<char*> args = Pointers(argv);
  const std::vector<char*> envp = Pointers(env);
  const int error = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  toChild_ = in[1];
  fromChild_ = out[0];
  if (error != 0) {
    close(toChild_);
    close(fromChild_);
    throw std::runtime_error("cannot start " + argv.at(0) + ": " + std::strerror(error));
  }
}

ChildProcess::~ChildProcess() {
  close(toChild_);
  if (!WaitForExit(pid_, std::chrono::seconds(2))) {
    kill(pid_, SIGTERM);
    if (!WaitForExit(pid_, std::chrono::seconds(2))) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  close(fromChild_);
}

bool ChildProcess::Send(const std::string& line) {
  const std::string text = line + "\n";
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = write(toChild_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // EPIPE: the bench ignores SIGPIPE
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  std::size_t end;
  while ((end = buffered_.find('\n')) == std::string::npos) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fromChild_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(std::max<long long>(left, 0))) <= 0) return std::nullopt;
    char chunk[65536];
    const ssize_t n = read(fromChild_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    buffered_.append(chunk, static_cast<std::size_t>(n));
  }
  std::string line = buffered_.substr(0, end);
  buffered_.erase(0, end + 1);
  return line;
}

std::optional<std::string> ChildProcess::Request(const std::string& line,
                                                 std::chrono::milliseconds timeout) {
  if (!Send(line)) return std::nullopt;
  return ReadLine(timeout);
}

}  // namespace kx14::bench
