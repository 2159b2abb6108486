// Several processes writing one history folder at once, and processes
// killed in the middle of an entry: every entry written is whole and
// readable, none interleaves with another, a torn one is skipped.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <random>
#include <set>

#include "devsim_process.h"
#include "history/history_reader.h"
#include "temp_dir.h"

namespace kx14::history {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::DevsimProcess;

constexpr auto kPatience = 60000ms;

// The ids a child said it wrote, until it ends or `count` have come.
std::vector<std::string> WrittenIds(DevsimProcess& child, std::size_t count) {
  std::vector<std::string> ids;
  while (ids.size() < count) {
    const std::optional<std::string> line = child.ReadLine(kPatience);
    if (!line) break;
    if (line->rfind("wrote ", 0) == 0) ids.push_back(line->substr(6));
  }
  return ids;
}

std::size_t EntryFiles(const fs::path& folder) {
  std::size_t count = 0;
  for (const fs::directory_entry& file : fs::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    if (name[0] != '.' && name.ends_with(".json")) ++count;
  }
  return count;
}

// 200 stores each: every one is two synced writes, and under a sanitizer on
// a busy machine (the test command's stages side by side) 500 each took
// longer than the patience.
TEST(HistoryProcesses, TwoProcessesRecordingAtOnceLeaveEveryEntryWhole) {
  constexpr std::size_t kStores = 200;
  testing::TempDir temp;
  const fs::path folder = temp.path() / "history";
  const std::vector<std::string> arguments{folder.string(), std::to_string(kStores)};
  DevsimProcess first(KX14_HISTORY_CHILD_PATH, temp.path(), arguments);
  DevsimProcess second(KX14_HISTORY_CHILD_PATH, temp.path(), arguments);
  const std::vector<std::string> a = WrittenIds(first, kStores);
  const std::vector<std::string> b = WrittenIds(second, kStores);
  ASSERT_EQ(first.WaitExit(kPatience), 0);
  ASSERT_EQ(second.WaitExit(kPatience), 0);
  EXPECT_EQ(a.size() + b.size(), 2 * kStores);

  const std::vector<HistoryEntry> entries = ReadHistory(folder);
  ASSERT_EQ(entries.size(), 2 * kStores);
  EXPECT_EQ(EntryFiles(folder), 2 * kStores);
  std::set<std::string> ids;
  for (const HistoryEntry& entry : entries) {
    ids.insert(entry.id);
    EXPECT_EQ(entry.result, TStoreResult::Acknowledged) << entry.id;
  }
  EXPECT_EQ(ids.size(), 2 * kStores);
}

// SIGKILL lands anywhere: in the pending write, between it and its result,
// in the rename. Every file under an entry's name must still be a whole
// entry, and every entry the child said it wrote must be there.
TEST(HistoryProcesses, AProcessKilledMidEntryLeavesOnlyWholeEntries) {
  testing::TempDir temp;
  const fs::path folder = temp.path() / "history";
  std::mt19937 random(31);
  std::size_t said = 0;
  for (int run = 0; run < 50; ++run) {
    DevsimProcess child(KX14_HISTORY_CHILD_PATH, temp.path(), {folder.string(), "0"});
    const std::size_t before = std::uniform_int_distribution<std::size_t>(1, 12)(random);
    said += WrittenIds(child, before).size();
    child.Signal(SIGKILL);
    ASSERT_TRUE(child.WaitExit(kPatience).has_value());
  }
  const std::vector<HistoryEntry> entries = ReadHistory(folder);
  EXPECT_EQ(entries.size(), EntryFiles(folder)) << "a file under an entry's name is not whole";
  EXPECT_GE(entries.size(), said);
  EXPECT_GE(said, 50u);
}

}  // namespace
}  // namespace kx14::history
