#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "ports/user_ports.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;

void ValidateEntryName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    throw std::invalid_argument("not a port entry name: '" + name + "'");
  }
}

[[noreturn]] void ThrowErrno(int error, const std::string& what) {
  throw std::system_error(error, std::generic_category(), what);
}

// mkdir -p with mode 0700 for every directory it creates: the ports
// directory lives under the user's configuration, which others must not
// write to.
void CreatePrivateDirectories(const fs::path& dir) {
  fs::path partial;
  for (const fs::path& part : dir) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0700) == 0 || errno == EEXIST) continue;
    ThrowErrno(errno, "cannot create " + partial.string());
  }
  struct stat info {};
  if (::stat(dir.c_str(), &info) != 0) ThrowErrno(errno, "cannot use " + dir.string());
  if (!S_ISDIR(info.st_mode)) ThrowErrno(ENOTDIR, "cannot use " + dir.string());
}

}  // namespace

std::vector<UserPort> ListUserPorts(const fs::path& portsDir) {
  std::vector<UserPort> ports;
  if (portsDir.empty()) return ports;  // no user ports directory
  std::error_code error;
  fs::directory_iterator it(portsDir, error);
  if (error) return ports;
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path entry = it->path();
    // stat() follows the link to its target without opening anything.
    struct stat target {};
    if (::stat(entry.c_str(), &target) != 0 || !S_ISCHR(target.st_mode)) continue;
    ports.push_back({entry.filename().string(), entry});
  }
  return ports;
}

bool UserPortEntryExists(const fs::path& portsDir, const std::string& name) {
  if (portsDir.empty()) return false;
  struct stat info {};
  return ::lstat((portsDir / name).c_str(), &info) == 0;
}

void RegisterUserPort(const fs::path& portsDir, const std::string& name, const fs::path& device) {
  ValidateEntryName(name);
  if (portsDir.empty()) {
    ThrowErrno(ENOENT,
               "no user ports directory (neither XDG_CONFIG_HOME nor HOME nor the password "
               "database gives an absolute home directory)");
  }
  CreatePrivateDirectories(portsDir);
  const fs::path entry = portsDir / name;
  // symlink() fails with EEXIST on any existing entry, so two simulators
  // racing for one name cannot both win.
  if (::symlink(device.c_str(), entry.c_str()) != 0) {
    ThrowErrno(errno, "cannot register " + entry.string());
  }
}

bool UnregisterUserPort(const fs::path& portsDir, const std::string& name,
                        const fs::path& device) noexcept {
  try {
    ValidateEntryName(name);
    if (portsDir.empty()) return false;
    const fs::path entry = portsDir / name;
    std::error_code error;
    const fs::path target = fs::read_symlink(entry, error);
    if (error || target != device) return false;
    return ::unlink(entry.c_str()) == 0;
  } catch (...) {
    return false;
  }
}

}  // namespace kx14
