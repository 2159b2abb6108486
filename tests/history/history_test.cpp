// The history's entries, its folder and the recorder that watches a link's
// frames, without a device.

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>

#include "history/history_reader.h"
#include "history/history_writer.h"
#include "history/store_recorder.h"
#include "protocol/frames.h"
#include "temp_dir.h"

namespace kx14::history {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

constexpr BlockBytes kWorkedExample{0x5A, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5, 3, 0x51};

BlockBytes WithOtMax(std::uint8_t otMax) {
  BlockBytes block = kWorkedExample;
  block[13] = otMax;
  return block;
}

HistoryEntry SampleEntry() {
  HistoryEntry entry;
  entry.time = "2026-12-09T10:00:00.000Z";
  entry.program = "kx14ctl";
  entry.programVersion = "1.0.0";
  entry.command = "program";
  entry.port = "COM3";
  entry.before = kWorkedExample;
  entry.sent = WithOtMax(8);
  entry.result = TStoreResult::ReadBackEqual;
  return entry;
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(HistoryEntryDocument, RoundTripsEveryField) {
  HistoryEntry entry = SampleEntry();
  entry.before.reset();
  entry.result = TStoreResult::NoAnswer;
  entry.detail = "timeout 0 of 19 bytes";
  entry.lostBefore = 3;
  const std::optional<HistoryEntry> read = ParseEntryDocument(EntryDocument(entry));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->time, entry.time);
  EXPECT_EQ(read->command, "program");
  EXPECT_FALSE(read->before);
  EXPECT_EQ(read->sent, entry.sent);
  EXPECT_EQ(read->result, TStoreResult::NoAnswer);
  EXPECT_EQ(read->detail, entry.detail);
  EXPECT_EQ(read->lostBefore, 3);
}

// A power cut may leave any leading part of an entry under its name: none
// of them may pass for an entry (only the final newline is optional).
TEST(HistoryEntryDocument, NoTornPartIsReadAsAnEntry) {
  const std::string whole = EntryDocument(SampleEntry());
  for (std::size_t size = 0; size + 1 < whole.size(); ++size) {
    EXPECT_FALSE(ParseEntryDocument(whole.substr(0, size))) << "a part of " << size << " bytes";
  }
  EXPECT_TRUE(ParseEntryDocument(whole));
}

TEST(HistoryEntryDocument, RefusesABeforeBlockThatFailsTheBackupChecks) {
  std::string text = EntryDocument(SampleEntry());
  const std::size_t checksum = text.find("\"checksum\": \"") + 13;
  text.replace(checksum, 2, "00");
  EXPECT_FALSE(ParseEntryDocument(text));
}

TEST(HistoryEntryDocument, TheBeforeBlockIsABackupDocument) {
  const std::string text = EntryDocument(SampleEntry());
  const auto before = text.find("\"before\": {");
  ASSERT_NE(before, std::string::npos);
  EXPECT_NE(text.find("\"format\": \"kx14-parameter-block\"", before), std::string::npos);
}

class HistoryFolderTest : public ::testing::Test {
 protected:
  std::vector<std::string> Failures() {
    const std::lock_guard lock(mutex_);
    return failures_;
  }
  THistoryWriter::Report Collect() {
    return [this](const std::string& failure) {
      const std::lock_guard lock(mutex_);
      failures_.push_back(failure);
    };
  }
  TempDir temp_;
  fs::path folder_ = temp_.path() / "history";
  std::mutex mutex_;
  std::vector<std::string> failures_;
};

TEST_F(HistoryFolderTest, AnUpdateReplacesThePendingEntryUnderItsName) {
  THistoryWriter writer(folder_);
  HistoryEntry entry = SampleEntry();
  entry.result = TStoreResult::Pending;
  ASSERT_TRUE(writer.Write(entry));
  EXPECT_EQ(ReadHistory(folder_).at(0).result, TStoreResult::Pending);
  entry.result = TStoreResult::Acknowledged;
  writer.Update(entry);
  writer.Drain();
  const std::vector<HistoryEntry> entries = ReadHistory(folder_);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].result, TStoreResult::Acknowledged);
  EXPECT_EQ(entries[0].id, entry.id);
}

TEST_F(HistoryFolderTest, ReadsNewestFirstAndSkipsWhatIsNoEntry) {
  THistoryWriter writer(folder_);
  for (const std::uint8_t otMax : {std::uint8_t{1}, std::uint8_t{2}, std::uint8_t{3}}) {
    HistoryEntry entry = SampleEntry();
    entry.sent = WithOtMax(otMax);
    ASSERT_TRUE(writer.Write(entry));
  }
  writer.Drain();
  const std::string whole = EntryDocument(SampleEntry());
  WriteText(folder_ / "99991231T000000.000Z-1-00000001.json", whole.substr(0, whole.size() / 2));
  WriteText(folder_ / ".99991231T000000.000Z-1-00000002.tmp", whole);
  WriteText(folder_ / "notes.txt", whole);
  const std::vector<HistoryEntry> entries = ReadHistory(folder_);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].sent[13], 3);
  EXPECT_EQ(entries[2].sent[13], 1);
}

TEST_F(HistoryFolderTest, KeepsTheNewestEntriesUpToItsBound) {
  {
    THistoryWriter writer(folder_, {}, 5);
    for (int i = 1; i <= 8; ++i) {
      HistoryEntry entry = SampleEntry();
      entry.sent = WithOtMax(static_cast<std::uint8_t>(i));
      ASSERT_TRUE(writer.Write(entry));
    }
  }
  const std::vector<HistoryEntry> entries = ReadHistory(folder_);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries.front().sent[13], 8);
  EXPECT_EQ(entries.back().sent[13], 4);
}

// A folder that cannot be made (here: under a file, which even root cannot
// write into) loses the entry aloud, and the next entry written counts it.
TEST_F(HistoryFolderTest, AFailedWriteIsSaidAndCountedInTheNextEntry) {
  WriteText(temp_.path() / "file", "");
  THistoryWriter blocked(temp_.path() / "file" / "history", Collect());
  HistoryEntry entry = SampleEntry();
  EXPECT_FALSE(blocked.Write(entry));
  EXPECT_FALSE(blocked.Write(entry));
  ASSERT_EQ(Failures().size(), 2u);
  EXPECT_NE(Failures()[0].find("history not recorded"), std::string::npos);
  EXPECT_EQ(blocked.TakeFailures().size(), 2u);
  EXPECT_TRUE(blocked.TakeFailures().empty());
}

TEST_F(HistoryFolderTest, TheNextEntryRecordsHowManyWereLost) {
  THistoryWriter writer(folder_, Collect());
  HistoryEntry entry = SampleEntry();
  ASSERT_TRUE(writer.Write(entry));
  fs::remove_all(folder_);
  WriteText(folder_, "");  // the folder is now a file: writes fail
  EXPECT_FALSE(writer.Write(entry));
  EXPECT_FALSE(writer.Write(entry));
  fs::remove(folder_);
  fs::create_directory(folder_);
  ASSERT_TRUE(writer.Write(entry));
  EXPECT_EQ(ReadHistory(folder_).at(0).lostBefore, 2);
  ASSERT_TRUE(writer.Write(entry));
  EXPECT_EQ(ReadHistory(folder_).at(0).lostBefore, 0);
}

// undo's choice: the car's newest store that may have reached it, even one
// without a block before it (undo then refuses rather than skip it).
TEST(HistoryLatestStore, IsTheCarsNewestStoreThatWasNotRefused) {
  std::vector<HistoryEntry> entries(4, SampleEntry());  // newest first
  entries[0].sent[3] = 9;                               // another car (YOURID 9)
  entries[1].result = TStoreResult::Refused;
  entries[2].before.reset();
  EXPECT_EQ(LatestStoreTo(entries, 1, 2), &entries[2]);
  EXPECT_EQ(LatestStoreTo(entries, 9, 2), &entries[0]);
  EXPECT_EQ(LatestStoreTo(entries, 1, 3), nullptr);
}

// The recorder, fed the frames a link reports.
class StoreRecorderTest : public HistoryFolderTest {
 protected:
  void Read(const std::optional<BlockBytes>& answer) {
    recorder_.FrameSent(ReadCommandFrame());
    if (answer) {
      recorder_.FrameReceived(ReadReplyFrame(0xE5, *answer));
    } else {
      recorder_.ReplyMissing(18, 0);
    }
  }
  void Program(const BlockBytes& block, bool acknowledged) {
    recorder_.FrameSent(ProgramCommandFrame(block));
    ByteString reply = ProgramCommandFrame(block);
    reply.push_back(acknowledged ? '\x06' : '\x15');
    recorder_.FrameReceived(reply);
  }
  HistoryEntry Latest() {
    writer_.Drain();
    return ReadHistory(folder_).at(0);
  }
  THistoryWriter writer_{folder_};
  TStoreRecorder recorder_{writer_, {"kx14ctl", "1.0.0", "set", "COM4"}, nullptr};
};

TEST_F(StoreRecorderTest, RecordsTheBlockTheLastReadFoundAndTheReadBack) {
  Read(kWorkedExample);
  Program(WithOtMax(8), true);
  EXPECT_EQ(Latest().result, TStoreResult::Acknowledged);
  recorder_.ReadBack(WithOtMax(9));
  const HistoryEntry entry = Latest();
  EXPECT_EQ(entry.before, kWorkedExample);
  EXPECT_EQ(entry.sent, WithOtMax(8));
  EXPECT_EQ(entry.result, TStoreResult::ReadBackDiffers);
  EXPECT_EQ(entry.detail, "OT_MAX");
  EXPECT_EQ(entry.port, "COM4");
  EXPECT_EQ(entry.command, "set");
}

// The block of an earlier good read is not the car's when the read just
// before the store failed: the entry says the read failed.
TEST_F(StoreRecorderTest, AStoreAfterAFailedReadHasNoBeforeBlock) {
  Read(kWorkedExample);
  Read(std::nullopt);
  Program(WithOtMax(8), false);
  const HistoryEntry entry = Latest();
  EXPECT_FALSE(entry.before);
  EXPECT_EQ(entry.result, TStoreResult::Refused);
  EXPECT_NE(entry.detail.find("the read before the store failed"), std::string::npos);
}

TEST_F(StoreRecorderTest, APendingEntryIsOnDiskBeforeTheFrameGoesOut) {
  Read(kWorkedExample);
  recorder_.FrameSent(ProgramCommandFrame(WithOtMax(8)));
  const std::vector<HistoryEntry> entries = ReadHistory(folder_);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].result, TStoreResult::Pending);
  EXPECT_EQ(entries[0].before, kWorkedExample);
  recorder_.ReplyMissing(19, 4);
  EXPECT_EQ(Latest().result, TStoreResult::NoAnswer);
}

}  // namespace
}  // namespace kx14::history
