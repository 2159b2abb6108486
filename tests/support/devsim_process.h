#pragma once

// Runs the real kx14-devsim binary for a test: its standard input is a pipe
// for control commands, its standard output a pipe the test reads the frame
// log from, and XDG_CONFIG_HOME points at the test's directory so it
// registers its port there.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx14::testing {

class DevsimProcess {
 public:
  DevsimProcess(const std::filesystem::path& binary, const std::filesystem::path& configHome,
                const std::vector<std::string>& args);
  ~DevsimProcess();  // kills the process if it still runs
  DevsimProcess(const DevsimProcess&) = delete;
  DevsimProcess& operator=(const DevsimProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // The next line of its standard output, or nothing after `timeout` or at
  // its end.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
  // Reads lines until one starts with `prefix`; gives that line.
  std::optional<std::string> WaitForLine(std::string_view prefix,
                                         std::chrono::milliseconds timeout);
  // Every line read so far.
  const std::vector<std::string>& Lines() const { return lines_; }

  void Send(std::string_view text);
  void Signal(int signal);
  // The exit status, or nothing if it has not ended within `timeout`.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  // User plus system CPU time used so far.
  std::chrono::milliseconds CpuTime() const;

 private:
  pid_t pid_ = -1;
  int stdin_ = -1;
  int stdout_ = -1;
  std::string buffer_;
  std::vector<std::string> lines_;
  bool exited_ = false;
};

// Opens a serial device for a test: O_NOCTTY, raw, byte-transparent.
int OpenRawSerial(const std::filesystem::path& device);
// Writes `command`, then collects up to `count` bytes, waiting at most
// `timeout` in all.
std::string Exchange(int fd, std::string_view command, std::size_t count,
                     std::chrono::milliseconds timeout);

}  // namespace kx14::testing
