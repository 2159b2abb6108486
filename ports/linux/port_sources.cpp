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

// The password database's home directory of this user, or "".
std::string PasswordHome() {
  // getpwuid_r: a caller on another thread may be using getpwuid's buffer.
  struct passwd entry {};
  struct passwd* found = nullptr;
  char buffer[4096];
  if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  return "";
}

}  // namespace

fs::path UserPortsDirectory(const std::string& xdgConfigHome, const std::string& home,
                            const std::string& passwordHome) {
  // XDG base directories: a relative XDG_CONFIG_HOME is invalid and ignored.
  const fs::path xdg = xdgConfigHome;
  if (xdg.is_absolute()) return xdg / "kx14-manager" / "ports";
  const fs::path base = !home.empty() ? fs::path(home) : fs::path(passwordHome);
  // A relative base would put the directory wherever the program happens to
  // run, where a stray COM3 would become a port: then there is none.
  if (!base.is_absolute()) return {};
  return base / ".config" / "kx14-manager" / "ports";
}

PortSources DefaultPortSources() {
  const std::string home = EnvironmentValue("HOME");
  return {UserPortsDirectory(EnvironmentValue("XDG_CONFIG_HOME"), home,
                             home.empty() ? PasswordHome() : ""),
          "/sys"};
}

}  // namespace kx14
