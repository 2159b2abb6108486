#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "cli/doctor/accounts.h"
#include "cli/doctor/checks.h"
#include "cli/doctor/shell_quote.h"

namespace kx14::cli {
namespace {

bool Contains(const std::vector<gid_t>& groups, gid_t gid) {
  return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

bool GrantsReadWrite(mode_t mode, mode_t read, mode_t write) {
  return (mode & read) != 0 && (mode & write) != 0;
}

// The permission bits that apply to this process, as the kernel picks them:
// the owner's when it owns the file, else the group's when it is in the
// file's group, else the others'. Root may open any device.
bool MayOpen(const struct stat& info, const ProcessCredentials& self) {
  if (self.uid == 0) return true;
  if (info.st_uid == self.uid) return GrantsReadWrite(info.st_mode, S_IRUSR, S_IWUSR);
  if (info.st_gid == self.gid || Contains(self.groups, info.st_gid)) {
    return GrantsReadWrite(info.st_mode, S_IRGRP, S_IWGRP);
  }
  return GrantsReadWrite(info.st_mode, S_IROTH, S_IWOTH);
}

// True when /etc/group (or the primary group in /etc/passwd) puts the user in
// the group: the next login will have it, whatever this process has.
bool ListedInGroup(const std::optional<UserEntry>& user, const std::optional<GroupEntry>& group) {
  if (!user || !group) return false;
  return user->primaryGroup == group->gid || std::find(group->members.begin(), group->members.end(),
                                                       user->name) != group->members.end();
}

CheckResult GroupProblem(const DoctorContext& context, const PortUnderTest& port,
                         const struct stat& info, const ProcessCredentials& self) {
  const auto user = FindUser(context.roots.etc, self.uid);
  const auto group = FindGroup(context.roots.etc, info.st_gid);
  const std::string groupName = group ? group->name : std::to_string(info.st_gid);
  const std::string userName = user ? ShellQuote(user->name) : "\"$USER\"";
  const std::string device = port.device.string();
  if (ListedInGroup(user, group)) {
    return {"access",
            Verdict::kProblem,
            "you are in group " + groupName + ", which may open " + device +
                ", but this session started before you were added: log out and in again "
                "(or, for one shell, start it in the group)",
            {"newgrp " + ShellQuote(groupName)}};
  }
  return {"access",
          Verdict::kProblem,
          "only group " + groupName + " may open " + device +
              ", and you are not in it; add yourself, then log out and in again",
          {"sudo usermod -aG " + ShellQuote(groupName) + " " + userName}};
}

}  // namespace

CheckResult CheckAccess(const DoctorContext& context, const PortUnderTest& port) {
  struct stat info {};
  const auto self = ReadProcessCredentials(context.roots.proc);
  if (::stat(port.local.c_str(), &info) != 0 || !self) {
    return {"access", Verdict::kWarning, "could not tell who may open " + port.device.string(), {}};
  }
  if (MayOpen(info, *self)) {
    return {"access", Verdict::kOk, "you may read and write " + port.device.string(), {}};
  }
  if (info.st_uid != self->uid && GrantsReadWrite(info.st_mode, S_IRGRP, S_IWGRP)) {
    return GroupProblem(context, port, info, *self);
  }
  // No group is meant to have it: an access list for this user lasts until
  // the device is created anew (the adapter replugged).
  const auto user = FindUser(context.roots.etc, self->uid);
  const std::string userName = user ? ShellQuote(user->name) : "\"$USER\"";
  return {"access",
          Verdict::kProblem,
          "neither you nor a group of yours may open " + port.device.string(),
          {"sudo setfacl -m u:" + userName + ":rw " + ShellQuote(port.device.string())}};
}

}  // namespace kx14::cli
