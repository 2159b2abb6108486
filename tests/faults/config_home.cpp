#include "config_home.h"

#include <stdlib.h>

#include "ports/com_ports.h"

namespace kx14::faults {

ConfigHome::ConfigHome() {
  std::filesystem::create_directories(PortsDir());
  if (const char* old = ::getenv("XDG_CONFIG_HOME")) previous_ = old;
  ::setenv("XDG_CONFIG_HOME", Path().c_str(), 1);
}

ConfigHome::~ConfigHome() {
  if (previous_) {
    ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

std::filesystem::path ConfigHome::PortsDir() const { return Path() / "kx14-manager" / "ports"; }

void ConfigHome::Link(int comNumber, const std::filesystem::path& device) {
  Unlink(comNumber);
  std::filesystem::create_symlink(device, PortsDir() / ComPortName(comNumber));
}

void ConfigHome::Unlink(int comNumber) {
  std::error_code ignored;
  std::filesystem::remove(PortsDir() / ComPortName(comNumber), ignored);
}

bool ConfigHome::HasEntry(int comNumber) const {
  std::error_code ignored;
  return std::filesystem::is_symlink(PortsDir() / ComPortName(comNumber), ignored);
}

}  // namespace kx14::faults
