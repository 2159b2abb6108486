#include "cli/doctor/device_path.h"

#include <algorithm>
#include <system_error>

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kDev{"/dev"};
const fs::path kById{"/dev/serial/by-id"};
constexpr int kMaxLinks = 40;  // as the kernel's own limit for a path

}  // namespace

bool IsUnder(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_normal().lexically_relative(folder);
  return !relative.empty() && *relative.begin() != ".." && relative != ".";
}

fs::path Localize(const DoctorRoots& roots, const fs::path& machinePath) {
  if (!IsUnder(machinePath, kDev)) return machinePath;
  return roots.dev / machinePath.lexically_normal().lexically_relative(kDev);
}

LinkChain FollowLinks(const DoctorRoots& roots, const fs::path& entry) {
  LinkChain chain{entry.lexically_normal(), std::nullopt};
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    std::error_code error;
    const fs::path local = Localize(roots, chain.device);
    if (!fs::is_symlink(fs::symlink_status(local, error))) break;
    const fs::path target = fs::read_symlink(local, error);
    if (error) break;
    if (IsUnder(chain.device, kById)) chain.byIdLink = chain.device;
    const fs::path next =
        (target.is_absolute() ? target : chain.device.parent_path() / target).lexically_normal();
    // A device's links stay within /dev; a link out of it is left to stat()
    // (tests stand a link to /dev/null in for a device node).
    if (!IsUnder(next, kDev)) break;
    chain.device = next;
  }
  return chain;
}

std::string TtyName(const fs::path& device) {
  std::string name = IsUnder(device, kDev)
                         ? device.lexically_normal().lexically_relative(kDev).string()
                         : device.filename().string();
  std::replace(name.begin(), name.end(), '/', '!');
  return name;
}

}  // namespace kx14::cli
