#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/atomic_file.h"
#include "cli/exit_status.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, const std::string& why) {
  throw UsageFailure("cannot write " + path.string() + ": " + why);
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void SyncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // the new name survives a power cut; failing here loses nothing written
  ::close(fd);
}

// The temporary file holds the whole text, on the disk.
std::string WriteTemporary(const fs::path& path, const std::string& text) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string name = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(path, std::strerror(errno));
  const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (!written) {
    ::unlink(name.c_str());
    Fail(path, std::strerror(error));
  }
  return name;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, const std::string& text, bool replace) {
  const std::string temporary = WriteTemporary(path, text);
  // link() refuses an existing name, so nothing can appear at `path` between
  // a check and the placing.
  const int placed =
      replace ? ::rename(temporary.c_str(), path.c_str()) : ::link(temporary.c_str(), path.c_str());
  const int error = errno;
  if (!replace || placed != 0) ::unlink(temporary.c_str());
  if (placed != 0) {
    Fail(path, error == EEXIST ? "it exists (--force replaces it)" : std::strerror(error));
  }
  SyncDirectory(path.has_parent_path() ? path.parent_path() : fs::path("."));
}

}  // namespace kx14::cli
