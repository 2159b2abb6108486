#pragma once

// User-defined ports: the entries of the ports directory that are, or link
// to, a character device. The entry's file name is the port name. The
// simulator registers itself here as a symlink to its pseudo-terminal.

#include <filesystem>
#include <string>
#include <vector>

namespace kx14 {

struct UserPort {
  std::string name;             // the entry's file name, as it is
  std::filesystem::path entry;  // portsDir / name; opening it follows the link
};

// The character-device entries of portsDir, in directory order. Looks at each
// entry with stat() only and never opens one, so FIFOs, links to FIFOs and
// slow devices cannot block the listing; regular files, directories, dangling
// and looping links are left out. A missing or unreadable directory, or an
// empty path (no user ports directory), gives an empty list.
std::vector<UserPort> ListUserPorts(const std::filesystem::path& portsDir);

// True when portsDir holds an entry of that name, of any kind, dangling links
// included (a new link of that name could not be created).
bool UserPortEntryExists(const std::filesystem::path& portsDir, const std::string& name);

// Creates the link portsDir/name -> device, creating missing directories with
// mode 0700. Fails without touching an existing entry: throws
// std::system_error (errc::file_exists when the name is taken) and
// std::invalid_argument for a name that is empty, ".", ".." or holds a "/".
// An empty portsDir (no user ports directory) fails with a system_error
// whose message says so.
void RegisterUserPort(const std::filesystem::path& portsDir, const std::string& name,
                      const std::filesystem::path& device);

// Removes portsDir/name only while it is a link to exactly `device`, so an
// entry that someone else has put in its place survives. True when removed.
bool UnregisterUserPort(const std::filesystem::path& portsDir, const std::string& name,
                        const std::filesystem::path& device) noexcept;

}  // namespace kx14
