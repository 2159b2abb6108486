// kx14ctl's Win32 files under Wine: the atomic backup write (MoveFileExW)
// and the port states that `ports` and a failed opening report. The command
// as a whole runs against the simulator in scripts/windows-test.sh.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "device/port_state.h"
#include "files/atomic_file.h"
#include "files/exit_status.h"
#include "history/history_reader.h"
#include "history/history_writer.h"
#include "ports/com_ports.h"
#include "tests/windows/devsim_link.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the Windows temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder()
      : path_(fs::temp_directory_path() /
              ("kx14-cli-test-" + std::to_string(GetCurrentProcessId()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::size_t Entries(const fs::path& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(Win32AtomicFile, ReplacesOnlyWhenToldAndKeepsTheNameItWasGiven) {
  TempFolder folder;
  const fs::path file = folder.path() / fs::path(u8"車12.json");
  WriteFileAtomically(file, "first", false);
  try {
    WriteFileAtomically(file, "second", false);
    ADD_FAILURE() << "an existing file was replaced without --force";
  } catch (const CliFailure& failure) {
    EXPECT_EQ(failure.Status(), TExitStatus::UsageError);
    EXPECT_NE(std::string(failure.what()).find("--force"), std::string::npos) << failure.what();
  }
  EXPECT_EQ(Contents(file), "first");
  WriteFileAtomically(file, "third", true);
  EXPECT_EQ(Contents(file), "third");
  EXPECT_EQ(Entries(folder.path()), 1u);  // no temporary file left behind
  EXPECT_TRUE(fs::exists(folder.path() / fs::path(u8"車12.json")));

  EXPECT_THROW(WriteFileAtomically(folder.path() / "missing" / "x.json", "x", true), CliFailure);
  EXPECT_EQ(Entries(folder.path()), 1u);
}

TEST(Win32PortState, FreeBusyWhileOpenAndMissing) {
  test::DevsimLink devsim;
  std::string why;
  if (!devsim.Available(why)) GTEST_SKIP() << why;
  const fs::path device = "\\\\.\\" + devsim.PortName();
  EXPECT_EQ(ProbePortState(device).kind, PortState::Kind::Free);
  {
    PollMessagePump pump;
    TCommX holder(pump);
    holder.SetPortResolver(ResolveMachinePort);
    holder.SetPortNo(devsim.PortNo());
    holder.Open();
    const PortState held = ProbePortState(device);
    EXPECT_EQ(held.kind, PortState::Kind::Busy);
    EXPECT_NE(DescribePortState(held).find("PID is not known"), std::string::npos);
  }
  EXPECT_EQ(ProbePortState(device).kind, PortState::Kind::Free);  // closing frees it
  EXPECT_EQ(ProbePortState("\\\\.\\COM250").kind, PortState::Kind::Missing);
}

// The history's Win32 rename (MoveFileExW over the pending entry) and the
// folder under %LOCALAPPDATA%.
TEST(Win32History, APendingEntryIsReplacedByItsResultInPlace) {
  TempFolder folder;
  const fs::path history = folder.path() / "history";
  {
    history::THistoryWriter writer(history);
    history::HistoryEntry entry;
    entry.time = history::UtcMillisecondTime();
    entry.before = BlockBytes{0x5A, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5, 3, 0x51};
    entry.sent = *entry.before;
    ASSERT_TRUE(writer.Write(entry));
    entry.result = history::TStoreResult::ReadBackEqual;
    writer.Update(entry);
  }
  const std::vector<history::HistoryEntry> entries = history::ReadHistory(history);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].result, history::TStoreResult::ReadBackEqual);
  EXPECT_EQ(Entries(history), 1u);  // no temporary file left
}

TEST(Win32History, LivesInTheLocalApplicationDataFolder) {
  const std::optional<fs::path> folder = history::HistoryFolder();
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(folder->filename(), "history");
  EXPECT_EQ(folder->parent_path().filename(), "kx14-manager");
}

}  // namespace
}  // namespace kx14::cli
