#pragma once

// Device paths under the injected /dev root, and the links that lead to them.

#include <filesystem>
#include <optional>
#include <string>

#include "cli/doctor/doctor.h"

namespace kx14::cli {

// A machine path under /dev moved under roots.dev; any other path unchanged.
std::filesystem::path Localize(const DoctorRoots& roots, const std::filesystem::path& machinePath);
bool IsUnder(const std::filesystem::path& path, const std::filesystem::path& folder);

struct LinkChain {
  std::filesystem::path device;  // the last path of the chain, machine terms
  std::optional<std::filesystem::path> byIdLink;
};

// Follows the symlinks from `entry` (at most 40) while they lead into /dev,
// each looked at under the injected roots; an absolute target is a machine
// path, a relative one is taken from the link's folder. A dangling link ends
// the chain at its target.
LinkChain FollowLinks(const DoctorRoots& roots, const std::filesystem::path& entry);

// The kernel's tty name of a device path: "/dev/ttyUSB0" gives "ttyUSB0",
// "/dev/pts/4" gives "pts!4" (sysfs writes a "/" as "!").
std::string TtyName(const std::filesystem::path& device);

}  // namespace kx14::cli
