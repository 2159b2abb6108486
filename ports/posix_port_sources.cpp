#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "ports/com_ports.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

fs::path HomeDirectory() {
  const std::string home = EnvironmentValue("HOME");
  if (!home.empty()) return home;
  // getpwuid_r: a caller on another thread may be using getpwuid's buffer.
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return {};
}

// XDG base directories: a relative XDG_CONFIG_HOME is invalid and ignored.
fs::path ConfigHome() {
  const fs::path xdg = EnvironmentValue("XDG_CONFIG_HOME");
  if (xdg.is_absolute()) return xdg;
  return HomeDirectory() / ".config";
}

}  // namespace

PortSources DefaultPortSources() { return {ConfigHome() / "kx14-manager" / "ports", "/sys"}; }

}  // namespace kx14
