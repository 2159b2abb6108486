#include "fuzz/properties/hostile_ports_dir.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace kx14::fuzz {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowErrno(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

bool IsEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.size() <= NAME_MAX &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

fs::path TempBase() {
  const char* tmpdir = std::getenv("TMPDIR");
  return tmpdir != nullptr && *tmpdir == '/' ? fs::path(tmpdir) : fs::path("/tmp");
}

// The slave side of one pseudo-terminal that stays open for the life of the
// process (closing the master would hang the slave up): opened once, so that
// a fuzzer making millions of entries does not use up the machine's ptys.
std::optional<fs::path> SharedPtySlave() {
  static const std::optional<fs::path> slave = []() -> std::optional<fs::path> {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) return std::nullopt;
    char name[128];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        ::ptsname_r(master, name, sizeof name) != 0) {
      ::close(master);
      return std::nullopt;
    }
    return fs::path(name);
  }();
  return slave;
}

bool MakeRegularFile(const fs::path& entry) {
  const int fd = ::open(entry.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool MakeLink(const fs::path& target, const fs::path& entry) {
  return ::symlink(target.c_str(), entry.c_str()) == 0;
}

}  // namespace

std::string_view EntryKindName(EntryKind kind) {
  switch (kind) {
    case EntryKind::kRegularFile:
      return "regular file";
    case EntryKind::kFifo:
      return "FIFO";
    case EntryKind::kDanglingLink:
      return "dangling link";
    case EntryKind::kLoopingLink:
      return "looping link";
    case EntryKind::kLinkToDevNull:
      return "link to /dev/null";
    case EntryKind::kLinkToDirectory:
      return "link to a directory";
    case EntryKind::kLinkToPty:
      return "link to a pty";
    case EntryKind::kSubdirectory:
      return "subdirectory";
    case EntryKind::kLinkToFifo:
      return "link to a FIFO";
    case EntryKind::kLinkToLinkToDevNull:
      return "link to a link to /dev/null";
  }
  return "unknown";
}

bool IsCharacterDevice(EntryKind kind) {
  return kind == EntryKind::kLinkToDevNull || kind == EntryKind::kLinkToPty ||
         kind == EntryKind::kLinkToLinkToDevNull;
}

HostilePortsDir::HostilePortsDir() {
  std::string pattern = (TempBase() / "kx14-hostile-ports-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) ThrowErrno("cannot create " + pattern);
  root_ = pattern;
  portsDir_ = root_ / "kx14-manager" / "ports";
  targets_ = root_ / "targets";
  std::error_code error;
  fs::create_directories(portsDir_, error);
  if (!error) fs::create_directories(targets_ / "directory", error);
  if (error) throw std::system_error(error, "cannot fill " + root_.string());
  if (::mkfifo((targets_ / "fifo").c_str(), 0600) != 0) ThrowErrno("cannot create a FIFO");
  if (!MakeLink("/dev/null", targets_ / "null-link")) ThrowErrno("cannot create a link");
}

HostilePortsDir::~HostilePortsDir() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

bool HostilePortsDir::Add(const std::string& name, EntryKind kind) {
  if (!IsEntryName(name)) return false;
  const fs::path entry = portsDir_ / name;
  switch (kind) {
    case EntryKind::kRegularFile:
      return MakeRegularFile(entry);
    case EntryKind::kFifo:
      return ::mkfifo(entry.c_str(), 0600) == 0;
    case EntryKind::kDanglingLink:
      return MakeLink(targets_ / "missing", entry);
    case EntryKind::kLoopingLink:
      return MakeLink(name, entry);
    case EntryKind::kLinkToDevNull:
      return MakeLink("/dev/null", entry);
    case EntryKind::kLinkToDirectory:
      return MakeLink(targets_ / "directory", entry);
    case EntryKind::kLinkToPty: {
      const auto slave = SharedPtySlave();
      return slave && MakeLink(*slave, entry);
    }
    case EntryKind::kSubdirectory:
      return ::mkdir(entry.c_str(), 0700) == 0;
    case EntryKind::kLinkToFifo:
      return MakeLink(targets_ / "fifo", entry);
    case EntryKind::kLinkToLinkToDevNull:
      return MakeLink(targets_ / "null-link", entry);
  }
  return false;
}

}  // namespace kx14::fuzz
