// The Win32 window driver's simulated device: the Linux simulator that
// scripts/windows-test.sh started for the whole run, behind its Wine COM
// port. Each UseDevice sets all of its behaviour afresh (a case before may
// have changed it, or stored another block), and the driver's share of its
// frame log starts there.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "tests/windows/win32_window_driver.h"

namespace kx14::test {

std::string Win32WindowDriver::UseDevice(const DeviceSetup& setup) {
  std::string why;
  if (!devsim_.Available(why)) {
    ADD_FAILURE() << why;
    return "";
  }
  std::string faults;
  for (const std::string& fault : setup.faults) faults += (faults.empty() ? "" : ",") + fault;
  if (!devsim_.Control("mode " + (faults.empty() ? std::string("normal") : faults)) ||
      !devsim_.Control("delay " + std::to_string(setup.replyDelay.count())) ||
      !devsim_.Control("block " + setup.block)) {
    ADD_FAILURE() << "the simulator did not confirm its set-up";
    return "";
  }
  UsePorts({devsim_.PortName()});
  logStart_ = logTaken_ = DeviceLogLines().size();
  return devsim_.PortName();
}

std::vector<std::string> Win32WindowDriver::DeviceLogLines() const {
  std::vector<std::string> lines;
  std::istringstream log(devsim_.Log());
  // Only whole lines: the simulator may be writing the last one.
  for (std::string line; std::getline(log, line) && !log.eof();) lines.push_back(line);
  return lines;
}

std::optional<std::string> Win32WindowDriver::NextDeviceLine(const std::string& prefix) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    const std::vector<std::string> lines = DeviceLogLines();
    while (logTaken_ < lines.size()) {
      const std::string& line = lines[logTaken_++];
      if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // polling a file, bounded
  }
}

std::vector<std::string> Win32WindowDriver::DeviceLines() {
  std::vector<std::string> lines = DeviceLogLines();
  lines.erase(lines.begin(),
              lines.begin() + static_cast<std::ptrdiff_t>(std::min(logStart_, lines.size())));
  return lines;
}

void Win32WindowDriver::SetReceiveTimeOut(std::chrono::milliseconds timeOut) {
  form_->CommX1->SetTimeOutReceive(static_cast<int>(timeOut.count()));
}

}  // namespace kx14::test
