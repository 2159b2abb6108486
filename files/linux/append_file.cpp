// The append-only file on Linux: one descriptor with O_APPEND for the run,
// each append followed by fsync, and the name checked by device and inode.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/append_file.h"

namespace kx14::cli {
namespace {

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

std::unique_ptr<AppendFile> AppendFile::Open(const std::filesystem::path& path,
                                             std::string& error) {
  // Read access too, for the last byte; a file that may only be written
  // still takes rows.
  int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<AppendFile>(new AppendFile(fd));
}

AppendFile::~AppendFile() { ::close(Fd(handle_)); }

bool AppendFile::Append(std::string_view text, std::string& error) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(Fd(handle_), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? std::strerror(errno) : "nothing written";
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  // A removed stick may take the write into the page cache and fail only
  // here. Devices such as /dev/null cannot be synced and need not be.
  struct stat info {};
  if (::fstat(Fd(handle_), &info) == 0 && S_ISREG(info.st_mode) && ::fsync(Fd(handle_)) != 0) {
    error = std::strerror(errno);
    return false;
  }
  return true;
}

bool AppendFile::IsNamedBy(const std::filesystem::path& path) const {
  struct stat open {}, named {};
  if (::fstat(Fd(handle_), &open) != 0 || ::stat(path.c_str(), &named) != 0) return false;
  return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::uint64_t AppendFile::Size() const {
  struct stat info {};
  if (::fstat(Fd(handle_), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

bool AppendFile::EndsMidLine() const {
  const std::uint64_t size = Size();
  char last = '\n';
  return size > 0 && ::pread(Fd(handle_), &last, 1, static_cast<off_t>(size - 1)) == 1 &&
         last != '\n';
}

}  // namespace kx14::cli
