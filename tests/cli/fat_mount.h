#pragma once

// A small FAT file system mounted through FUSE (fusefat), as a USB stick
// would be: no hard links, no RENAME_NOREPLACE. Needs root, /dev/fuse,
// mkfs.vfat and fusefat; where any is missing, SkipReason() says which.

#include <filesystem>
#include <string>

namespace kx14::testing {

class FatMount {
 public:
  // Makes the image and mounts it in a directory under `work`.
  explicit FatMount(const std::filesystem::path& work);
  // Unmounts within a few seconds, lazily when the mount is still busy then.
  ~FatMount();
  FatMount(const FatMount&) = delete;
  FatMount& operator=(const FatMount&) = delete;

  // Empty when the file system is mounted at Dir().
  const std::string& SkipReason() const { return skip_reason_; }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::string skip_reason_;
  bool mounted_ = false;
};

}  // namespace kx14::testing
