#include "fuzz/properties/hostile_ports_dir.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "pty_pair.h"

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

// One pseudo-terminal that stays open for the life of the process (closing
// the master would hang the slave up): opened once, so that a fuzzer making
// millions of entries does not use up the machine's ptys. Null when none can
// be had.
const testing::PtyPair* SharedPty() {
  static const std::unique_ptr<testing::PtyPair> pty = []() -> std::unique_ptr<testing::PtyPair> {
    try {
      return std::make_unique<testing::PtyPair>();
    } catch (const std::runtime_error&) {
      return nullptr;
    }
  }();
  return pty.get();
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
  std::error_code error;
  fs::create_directories(portsDir_, error);
  if (!error) fs::create_directories(targets_ / "directory", error);
  if (error) throw std::system_error(error, "cannot fill " + Root().string());
  if (::mkfifo((targets_ / "fifo").c_str(), 0600) != 0) ThrowErrno("cannot create a FIFO");
  if (!MakeLink("/dev/null", targets_ / "null-link")) ThrowErrno("cannot create a link");
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
      const testing::PtyPair* pty = SharedPty();
      return pty != nullptr && MakeLink(pty->SlavePath(), entry);
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
