#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "history/history_platform.h"

namespace kx14::history::platform {
namespace {

namespace fs = std::filesystem;

void Sync(const fs::path& path, int flags) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<fs::path> UserDataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && data[0] == '/') return fs::path(data);
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return fs::path(home) / ".local" / "share";
  return std::nullopt;
}

unsigned long ProcessId() { return static_cast<unsigned long>(::getpid()); }

std::string RenameOver(const fs::path& from, const fs::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? "" : std::strerror(errno);
}

void FlushToDisk(const fs::path& path) {
  Sync(path, O_RDONLY);
  Sync(path.parent_path(), O_RDONLY | O_DIRECTORY);
}

}  // namespace kx14::history::platform
