#include "fat_mount.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace kx14::testing {
namespace {

namespace fs = std::filesystem;

// `timeout` bounds every command, so a hung FUSE daemon cannot hang the test.
bool Run(const std::string& command) {
  return std::system(("timeout 10 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

bool IsMountPoint(const fs::path& dir) {
  struct stat inside {
  }, parent{};
  return ::stat(dir.c_str(), &inside) == 0 && ::stat(dir.parent_path().c_str(), &parent) == 0 &&
         inside.st_dev != parent.st_dev;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

FatMount::FatMount(const fs::path& work) : dir_(work / "fat") {
  if (::geteuid() != 0) {
    skip_reason_ = "mounting through FUSE needs root";
  } else if (::access("/dev/fuse", R_OK | W_OK) != 0) {
    skip_reason_ = "no /dev/fuse";
  } else if (!OnPath("mkfs.vfat") && !fs::exists("/usr/sbin/mkfs.vfat")) {
    skip_reason_ = "no mkfs.vfat (dosfstools)";
  } else if (!OnPath("fusefat")) {
    skip_reason_ = "no fusefat";
  }
  if (!skip_reason_.empty()) return;
  const fs::path image = work / "fat.img";
  fs::create_directory(dir_);
  const std::string mkfs = OnPath("mkfs.vfat") ? "mkfs.vfat" : "/usr/sbin/mkfs.vfat";
  if (!Run(mkfs + " -C " + Quoted(image) + " 4096")) {
    skip_reason_ = "mkfs.vfat failed";
    return;
  }
  // fusefat returns once the file system is mounted (it then serves it from
  // the background).
  mounted_ = Run("fusefat -o rw+ " + Quoted(image) + " " + Quoted(dir_));
  if (!mounted_ || !IsMountPoint(dir_)) skip_reason_ = "fusefat could not mount the image";
}

FatMount::~FatMount() {
  if (!mounted_) return;
  if (!Run("fusermount -u " + Quoted(dir_))) Run("fusermount -u -z " + Quoted(dir_));
}

}  // namespace kx14::testing
