#pragma once

// A throw-away user-defined ports directory filled with entries of every kind
// a careless or hostile user might leave there: files, FIFOs, directories and
// links that dangle, loop or lead to devices that are not serial ports.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "ports/com_ports.h"
#include "temp_dir.h"

namespace kx14::fuzz {

enum class EntryKind : std::uint8_t {
  kRegularFile,
  kFifo,
  kDanglingLink,
  kLoopingLink,    // a link to itself: stat() fails with ELOOP
  kLinkToDevNull,  // a character device, but not a terminal
  kLinkToDirectory,
  kLinkToPty,  // a terminal: the only kind a port can open
  kSubdirectory,
  kLinkToFifo,
  kLinkToLinkToDevNull,  // two links deep
};
inline constexpr int kEntryKindCount = 10;

std::string_view EntryKindName(EntryKind kind);
// True when stat() of the entry (following links) sees a character device.
bool IsCharacterDevice(EntryKind kind);

class HostilePortsDir {
 public:
  // Creates a fresh root under $TMPDIR (or /tmp) holding the ports directory
  // <root>/kx14-manager/ports, so that XDG_CONFIG_HOME=<root> makes it the
  // machine's own; removes it with everything in it when it goes (links are
  // removed, not followed). Throws std::system_error when it cannot.
  HostilePortsDir();

  const std::filesystem::path& Root() const { return root_.path(); }
  const std::filesystem::path& PortsDir() const { return portsDir_; }
  // The ports directory and a sysfs root without any tty, so that no
  // detected port takes a number.
  PortSources Sources() const { return {portsDir_, Root() / "no-sysfs"}; }

  // Creates the entry `name` of `kind`. False, with nothing created, when the
  // name cannot name a directory entry ("", ".", "..", a "/" or a NUL byte,
  // too long), is taken, or the kind cannot be made here (no pseudo-terminals).
  bool Add(const std::string& name, EntryKind kind);

 private:
  testing::TempDir root_;
  std::filesystem::path portsDir_ = Root() / "kx14-manager" / "ports";
  std::filesystem::path targets_ = Root() / "targets";  // what the links lead to
};

}  // namespace kx14::fuzz
