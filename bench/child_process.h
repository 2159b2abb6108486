#pragma once

// A program the bench drives line by line: its standard input and output are
// pipes to the bench. Used for the peers (Qt's serial port class, pyserial)
// and for the device simulator.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kx14::bench {

class ChildProcess {
 public:
  // Starts argv[0] (searched in PATH) with the given arguments, in the
  // bench's environment plus `environment` ("NAME=value" entries, which
  // override). Throws std::runtime_error when it cannot be started.
  explicit ChildProcess(std::vector<std::string> argv, std::vector<std::string> environment = {});
  // Closes its input and waits for it to end; SIGTERM after 2 s, SIGKILL
  // after 2 s more.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }

  // Writes `line` and a newline to its input; false when it no longer reads.
  bool Send(const std::string& line);
  // The next line of its output, or nothing when it ended or wrote none
  // within `timeout`.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
  // Send, then ReadLine.
  std::optional<std::string> Request(const std::string& line, std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string buffered_;
};

}  // namespace kx14::bench
