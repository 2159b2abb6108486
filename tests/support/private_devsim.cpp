#include "private_devsim.h"

#include <stdexcept>

namespace kx14::testing {

PrivateDevsim::PrivateDevsim(const std::vector<std::string>& args) {
  process_ = std::make_unique<DevsimProcess>(KX14_DEVSIM_PATH, dir_.path(), args);
  // "port COM<n> /dev/pts/<k>"
  const std::optional<std::string> line = process_->WaitForLine("port ", std::chrono::seconds(10));
  if (!line) throw std::runtime_error("kx14-devsim did not register a port");
  const std::string rest = line->substr(5);
  portName_ = rest.substr(0, rest.find(' '));
}

PortSources PrivateDevsim::Sources() const {
  return {dir_.path() / "kx14-manager" / "ports", dir_.path() / "no-sysfs"};
}

bool PrivateDevsim::Control(const std::string& command) {
  process_->Send(command + "\n");
  const std::optional<std::string> confirmation =
      process_->WaitForLine("ctl ", std::chrono::seconds(5));
  return confirmation && confirmation->rfind("ctl error", 0) != 0;
}

std::optional<std::string> PrivateDevsim::NextLine(const std::string& prefix,
                                                   std::chrono::milliseconds timeout) {
  const std::optional<std::string> line = process_->WaitForLine(prefix, timeout);
  if (!line) return std::nullopt;
  return line->substr(prefix.size());
}

void PrivateDevsim::Drain(std::chrono::milliseconds quiet) {
  while (process_->ReadLine(quiet)) {
  }
}

}  // namespace kx14::testing
