// kx14ctl's no-overwrite backup on a FAT file system (a USB stick), where
// neither hard links nor RENAME_NOREPLACE exist: a FAT image mounted through
// FUSE with fusefat. Needs root, /dev/fuse, mkfs.vfat and fusefat; skips,
// saying which is missing, elsewhere.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "files/atomic_file.h"
#include "files/exit_status.h"
#include "temp_dir.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// `timeout` bounds every command, so a hung FUSE daemon cannot hang the test.
bool Run(const std::string& command) {
  return std::system(("PATH=$PATH:/usr/sbin timeout 10 " + command + " >/dev/null 2>&1").c_str()) ==
         0;
}

bool Installed(const std::string& program) {
  return std::system(("PATH=$PATH:/usr/sbin command -v " + program + " >/dev/null").c_str()) == 0;
}

bool IsMountPoint(const fs::path& dir) {
  struct stat inside {
  }, parent{};
  return ::stat(dir.c_str(), &inside) == 0 && ::stat(dir.parent_path().c_str(), &parent) == 0 &&
         inside.st_dev != parent.st_dev;
}

class FatMount {
 public:
  explicit FatMount(const fs::path& work) : dir_(work / "fat") {
    const std::string image = "'" + (work / "fat.img").string() + "'";
    if (::geteuid() != 0) {
      skip_ = "mounting through FUSE needs root";
    } else if (::access("/dev/fuse", R_OK | W_OK) != 0) {
      skip_ = "no /dev/fuse";
    } else if (!Installed("mkfs.vfat") || !Installed("fusefat")) {
      skip_ = "mkfs.vfat (dosfstools) or fusefat is not installed";
    } else if (!fs::create_directory(dir_) || !Run("mkfs.vfat -C " + image + " 4096")) {
      skip_ = "mkfs.vfat failed";
    } else {
      // fusefat returns once the file system is mounted, then serves it.
      mounted_ = Run("fusefat -o rw+ " + image + " '" + dir_.string() + "'");
      if (!mounted_ || !IsMountPoint(dir_)) skip_ = "fusefat could not mount the image";
    }
  }
  // Unmounts within seconds; lazily when the mount is still busy then.
  ~FatMount() {
    if (mounted_ && !Run("fusermount -u '" + dir_.string() + "'")) {
      Run("fusermount -u -z '" + dir_.string() + "'");
    }
  }
  FatMount(const FatMount&) = delete;
  FatMount& operator=(const FatMount&) = delete;

  const std::string& SkipReason() const { return skip_; }
  const fs::path& Dir() const { return dir_; }

 private:
  fs::path dir_;
  std::string skip_;
  bool mounted_ = false;
};

std::string Contents(const fs::path& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(AtomicFileOnFat, PlacesANewFileButNeverReplacesOne) {
  testing::TempDir work;
  FatMount fat(work.path());
  if (!fat.SkipReason().empty()) GTEST_SKIP() << fat.SkipReason();
  const fs::path file = fat.Dir() / "car7.json";
  WriteFileAtomically(file, "first", false);
  EXPECT_EQ(Contents(file), "first");
  try {
    WriteFileAtomically(file, "second", false);
    ADD_FAILURE() << "an existing backup was replaced";
  } catch (const CliFailure& failure) {
    EXPECT_NE(std::string(failure.what()).find("exists"), std::string::npos) << failure.what();
  }
  EXPECT_EQ(Contents(file), "first");
  WriteFileAtomically(file, "third", true);
  EXPECT_EQ(Contents(file), "third");
  EXPECT_EQ(std::distance(fs::directory_iterator(fat.Dir()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace kx14::cli
