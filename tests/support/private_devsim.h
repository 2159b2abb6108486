#pragma once

// The real kx14-devsim program as the device at the far end of a window
// test, with a ports directory of its own: DevsimProcess started with
// XDG_CONFIG_HOME pointing at a temporary directory, so its COM entry is
// private to the test and no port of the machine shows up beside it, and the
// COM name it registered read from its log. The window tests choose that name
// from the port list as a user would.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devsim_process.h"
#include "ports/com_ports.h"
#include "temp_dir.h"

namespace kx14::testing {

class PrivateDevsim {
 public:
  // Starts the simulator with `args` and waits for its port line. Throws
  // std::runtime_error when it does not come up.
  explicit PrivateDevsim(const std::vector<std::string>& args = {});

  // The COM name the simulator registered, e.g. "COM1".
  const std::string& PortName() const { return portName_; }
  // Its ports directory and an empty sysfs: only the simulator is listed.
  PortSources Sources() const;

  // Sends a control command and waits for its "ctl" confirmation line.
  bool Control(const std::string& command);
  // The next frame-log line that starts with `prefix`, without the prefix's
  // keyword; nothing when none comes within `timeout`.
  std::optional<std::string> NextLine(const std::string& prefix,
                                      std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Every log line read so far.
  const std::vector<std::string>& Lines() const { return process_->Lines(); }
  // Reads what the log holds now (waiting at most `quiet` for each line).
  void Drain(std::chrono::milliseconds quiet = std::chrono::milliseconds(100));

 private:
  TempDir dir_;
  std::unique_ptr<DevsimProcess> process_;
  std::string portName_;
};

}  // namespace kx14::testing
