// kx14ctl's no-overwrite backup on a FAT file system (a USB stick), where
// neither hard links nor RENAME_NOREPLACE exist.

#include <gtest/gtest.h>

#include <fstream>

#include "cli/atomic_file.h"
#include "cli/exit_status.h"
#include "fat_mount.h"
#include "temp_dir.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(AtomicFileOnFat, PlacesANewFileButNeverReplacesOne) {
  testing::TempDir work;
  testing::FatMount fat(work.path());
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
