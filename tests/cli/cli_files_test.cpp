// kx14ctl without a device: the backup file's reader and writer, the command
// line and the atomic write.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "files/atomic_file.h"
#include "files/backup_document.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "files/exit_status.h"
#include "temp_dir.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

const BlockBytes kWorked = {0x5A, 0, 0, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5, 3, 0x51};
// Bytes the window's encodings would not give back: BUP 0x33, unused flag
// bits, OT_MAX 0, a MAXPWR byte beyond the percent range.
const BlockBytes kOdd = {0x33, 0xAB, 0xCD, 0xEF, 0x12, 0x34, 0x56, 0xF7,
                         0xFF, 0x80, 0x01, 0x02, 0x03, 0x00, 0xFF, 0x00};

std::string Document(const BlockBytes& block) { return BackupDocument(block, "COM3", "t"); }

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(BackupDocument, RoundTripKeepsEveryByte) {
  for (const BlockBytes& block : {kWorked, kOdd}) {
    EXPECT_EQ(ReadBackupDocument(Document(block)), block);
  }
}

struct BadFile {
  const char* name;
  std::string text;
};

class BadBackupFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadBackupFile, IsRefusedAsAnInputError) {
  try {
    ReadBackupDocument(GetParam().text);
    FAIL() << "accepted";
  } catch (const CliFailure& failure) {
    EXPECT_EQ(failure.Status(), TExitStatus::UsageError) << failure.what();
  }
}

const std::string kGood = Document(kWorked);

INSTANTIATE_TEST_SUITE_P(
    Table, BadBackupFile,
    ::testing::Values(
        BadFile{"Empty", ""}, BadFile{"NotJson", "block: 5A"},
        BadFile{"Truncated", kGood.substr(0, kGood.size() / 2)},
        BadFile{"TrailingText", kGood + "x"}, BadFile{"Array", "[1,2]"},
        BadFile{"DeepNesting", std::string(100000, '[')},
        BadFile{"OtherFormat", Replace(kGood, "kx14-parameter-block", "kx14-other")},
        BadFile{"OtherVersion", Replace(kGood, "\"version\": 1", "\"version\": 2")},
        BadFile{"VersionAsText", Replace(kGood, "\"version\": 1", "\"version\": \"1\"")},
        BadFile{"Block15Bytes", Replace(kGood, "5A000001000002000000000000050351",
                                        "5A0000010000020000000000000503")},
        BadFile{"Block17Bytes", Replace(kGood, "5A000001000002000000000000050351",
                                        "5A00000100000200000000000005035100")},
        BadFile{"BlockNotHex", Replace(kGood, "5A000001", "5G000001")},
        BadFile{"ChecksumWrong", Replace(kGood, "\"checksum\": \"B6\"", "\"checksum\": \"B7\"")},
        BadFile{"ChecksumMissing", Replace(kGood, "\"checksum\": \"B6\",", "")},
        BadFile{"FieldDisagrees", Replace(kGood, "\"OT_MAX\": 5", "\"OT_MAX\": 8")},
        BadFile{"FlagDisagrees", Replace(kGood, "\"MASTERF\": \"off\"", "\"MASTERF\": \"on\"")},
        BadFile{"FieldMissing", Replace(kGood, "\"MODE\": 0,", "")},
        BadFile{"FieldUnknown", Replace(kGood, "\"MODE\": 0,", "\"MODE\": 0, \"TURBO\": 1,")},
        BadFile{"FieldsMissing", kGood.substr(0, kGood.find(",\n  \"fields\"")) + "\n}"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CliOptions, OptionsStandBeforeOrAfterTheCommand) {
  const CliOptions after = ParseCliOptions({"program", "--port", "com3", "--level=MAX", "--json"});
  const CliOptions before =
      ParseCliOptions({"--json", "--level", "ハンデ＋ＭＡＸ", "--port=com3", "program"});
  for (const CliOptions& o : {after, before}) {
    EXPECT_EQ(o.command, TCommand::Program);
    EXPECT_EQ(o.port, "com3");
    EXPECT_EQ(o.level, THandicapPreset::Handy_7);
    EXPECT_TRUE(o.json);
  }
  const CliOptions set = ParseCliOptions({"set", "OT_TIME=5", "--port", "COM1", "MASTERF=on"});
  ASSERT_EQ(set.assignments.size(), 2u);
  EXPECT_EQ(set.assignments[1].field, "MASTERF");
  EXPECT_EQ(set.assignments[1].value, 1);
}

class UsageErrors : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(UsageErrors, AreRefusedWithStatusTwo) {
  try {
    ParseCliOptions(GetParam());
    FAIL() << "accepted";
  } catch (const CliFailure& failure) {
    EXPECT_EQ(failure.Status(), TExitStatus::UsageError) << failure.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageErrors,
    ::testing::Values(
        std::vector<std::string>{}, std::vector<std::string>{"frobnicate"},
        std::vector<std::string>{"read", "--bogus"}, std::vector<std::string>{"read", "--port"},
        std::vector<std::string>{"read", "--output", "x.json"}, std::vector<std::string>{"program"},
        std::vector<std::string>{"program", "--level", "7"}, std::vector<std::string>{"backup"},
        std::vector<std::string>{"restore", "--level", "3", "--input", "f"},
        std::vector<std::string>{"set"}, std::vector<std::string>{"set", "OT_TIME=0"},
        std::vector<std::string>{"set", "OT_MAX=251"},
        std::vector<std::string>{"set", "YOURID=16777216"},
        std::vector<std::string>{"set", "MAXPWR=75"},
        std::vector<std::string>{"set", "MASTERF=maybe"},
        std::vector<std::string>{"set", "LASTCH=-1"}, std::vector<std::string>{"set", "ot_time=5"},
        std::vector<std::string>{"read", "extra"},
        std::vector<std::string>{"read", "--port", "COM1", "--port", "COM2"},
        std::vector<std::string>{"watch", "--port", "COM1"},
        std::vector<std::string>{"program", "--level", "3", "--roster", "r.csv"},
        std::vector<std::string>{"roster", "r.csv"},
        std::vector<std::string>{"roster", "check", "r.csv", "s.csv"}));

TEST(AtomicFile, ReplacesOnlyWhenToldAndLeavesNoTemporaryFile) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "backup.json";
  WriteFileAtomically(file, "first", false);
  EXPECT_THROW(WriteFileAtomically(file, "second", false), CliFailure);
  std::ifstream kept(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "first");
  WriteFileAtomically(file, "third", true);
  std::ifstream replaced(file);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(replaced), {}), "third");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
  // A name as long as the file system allows still has room for a
  // temporary file beside it.
  const fs::path longest = dir.path() / (std::string(246, 'n') + ".json");
  WriteFileAtomically(longest, "long", false);
  EXPECT_TRUE(fs::exists(longest));
}

// With --json every failure is one document that carries its status, also
// when the command line or a path is what failed.
TEST(JsonDocuments, ABadInputIsStatusTwoWithOneDocument) {
  testing::TempDir dir;
  const fs::path loop = dir.path() / "loop.json";
  fs::create_symlink(loop.filename(), loop);
  const std::string tooLong = (dir.path() / std::string(300, 'n')).string();
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--json", "read", "--bogus"},
        std::vector<std::string>{"program", "--level", "9", "--json"},
        std::vector<std::string>{"--json", "set", "BUP=999"},
        std::vector<std::string>{"backup", "--json"},
        std::vector<std::string>{"--json", "backup", "--output", loop.string(), "--port", "COM1"},
        std::vector<std::string>{"--json", "backup", "--output", tooLong, "--port", "COM1"}}) {
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(args, out, err), 2) << args[2] << ": " << err.str();
    const nlohmann::json document = nlohmann::json::parse(out.str(), nullptr, false);
    ASSERT_TRUE(document.is_object()) << args[2] << ": " << out.str();
    EXPECT_EQ(document["status"], 2);
    EXPECT_TRUE(document["error"].is_string());
  }
}

TEST(PortsJson, ANameThatIsNotUtf8StillGivesValidJson) {
  testing::TempDir home;
  const fs::path ports = home.path() / "kx14-manager" / "ports";
  fs::create_directories(ports);
  fs::create_symlink("/dev/null", ports / "COM7\xff\xfe");
  ::setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
  std::ostringstream out, err;
  const int status = RunCli({"ports", "--json"}, out, err);
  ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(status, 0) << err.str();
  const nlohmann::json document = nlohmann::json::parse(out.str(), nullptr, false);
  ASSERT_FALSE(document.is_discarded()) << out.str();
  EXPECT_EQ(document["ports"][0]["name"], "COM7\uFFFD\uFFFD");
}

}  // namespace
}  // namespace kx14::cli
