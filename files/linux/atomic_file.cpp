#include <fcntl.h>
#include <stdio.h>  // renameat2, RENAME_NOREPLACE
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/atomic_file.h"
#include "files/exit_status.h"

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

// The temporary file holds the whole text, on the disk. Its name does not
// grow with the file's own, so a name of the file system's longest length
// still has a temporary file.
std::string WriteTemporary(const fs::path& path, const std::string& text) {
  const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
  std::string name = (dir / ".kx14ctl-XXXXXX").string();
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

// Puts `temporary` at `path` unless something is there already; the check
// and the placing are one step. Returns 0 or the errno of the failure.
// renameat2 does it where the file system can; FAT and exFAT (USB sticks)
// support neither that flag nor hard links, so there the name is first
// claimed with O_EXCL (which every file system honours) and the temporary
// file is then renamed over that empty claim, which is ours alone.
int PlaceWithoutReplacing(const std::string& temporary, const fs::path& path) {
  if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
  const int claim = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (claim < 0) return errno;
  ::close(claim);
  if (::rename(temporary.c_str(), path.c_str()) == 0) return 0;
  const int error = errno;
  ::unlink(path.c_str());  // our empty claim, never a file someone else made
  return error;
}

}  // namespace

void WriteFileAtomically(const fs::path& path, const std::string& text, bool replace) {
  const std::string temporary = WriteTemporary(path, text);
  const int error = replace ? (::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno)
                            : PlaceWithoutReplacing(temporary, path);
  if (error != 0) {
    ::unlink(temporary.c_str());
    Fail(path, error == EEXIST ? "it exists (--force replaces it)" : std::strerror(error));
  }
  SyncDirectory(path.has_parent_path() ? path.parent_path() : fs::path("."));
}

}  // namespace kx14::cli
