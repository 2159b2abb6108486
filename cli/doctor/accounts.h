#pragma once

// Who this process is and which groups it is in, from the injected /proc and
// /etc roots: <proc>/self/status for the groups the process really has, and
// /etc/passwd and /etc/group for what it will have at the next login.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kx14::cli {

struct ProcessCredentials {
  uid_t uid = 0;              // effective
  gid_t gid = 0;              // effective
  std::vector<gid_t> groups;  // supplementary
};

// From the Uid:, Gid: and Groups: lines of <proc>/self/status.
std::optional<ProcessCredentials> ReadProcessCredentials(const std::filesystem::path& procRoot);

struct GroupEntry {
  std::string name;
  gid_t gid = 0;
  std::vector<std::string> members;
};

std::optional<GroupEntry> FindGroup(const std::filesystem::path& etcRoot, gid_t gid);

struct UserEntry {
  std::string name;
  gid_t primaryGroup = 0;
};

std::optional<UserEntry> FindUser(const std::filesystem::path& etcRoot, uid_t uid);

}  // namespace kx14::cli
