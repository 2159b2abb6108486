// watch's log file without a device: the one file a run writes, what a
// pulled stick or a hand-made header does to it, and cells a spreadsheet
// would run as formulas.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "files/watch_log.h"
#include "temp_dir.h"

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

CarRecord Car(int yourId, const std::string& name = "") {
  return CarRecord{"2026-12-09T10:00:00Z", "COM3", yourId, 2, name, "S", "0", "S", "ok",
                   TCarOutcome::Programmed};
}

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(WatchLogFile, AHeaderWithoutItsLineBreakIsOursAndRowsStartOnLinesOfTheirOwn) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "race.csv";
  std::ofstream(file, std::ios::binary) << WatchLog::Header();
  std::ostringstream err;
  WatchLog log(file.string(), err);
  log.Append(Car(17));
  const std::vector<std::string> lines = Lines(file);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], WatchLog::Header());
  EXPECT_EQ(lines[1], "2026-12-09T10:00:00Z,COM3,17,2,,S,0,S,ok");
  EXPECT_EQ(log.RowsLost(), 0) << err.str();
}

TEST(WatchLogFile, AFileGoneFromItsFolderIsNeverMadeAfreshAndItsRowsAreLostAloud) {
  testing::TempDir dir;
  const fs::path stick = dir.path() / "stick";
  fs::create_directory(stick);
  const fs::path file = stick / "race.csv";
  std::ostringstream err;
  WatchLog log(file.string(), err);
  log.Append(Car(17));

  // The stick is pulled: its mount point is a bare folder again.
  const fs::path away = dir.path() / "away.csv";
  fs::rename(file, away);
  log.Append(Car(18));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(log.RowsLost(), 1);
  EXPECT_NE(err.str().find("the log row of COM3 YOURID 18 MYID 2 could not be written"),
            std::string::npos)
      << err.str();

  // Put back as this run left it, the file takes rows again; a file made
  // afresh under the name does not.
  fs::rename(away, file);
  log.Append(Car(19));
  EXPECT_EQ(Lines(file).size(), 3u);
  fs::remove(file);
  std::ofstream(file) << WatchLog::Header() << "\n";
  log.Append(Car(20));
  EXPECT_EQ(Lines(file).size(), 1u);
  EXPECT_EQ(log.RowsLost(), 2);
}

TEST(WatchLogFile, TextThatASpreadsheetWouldRunIsLedByAnApostrophe) {
  EXPECT_EQ(CsvTextField("=HYPERLINK(\"x\")"), "\"'=HYPERLINK(\"\"x\"\")\"");
  for (const char* formula : {"+1", "-2+3", "@SUM(A1)", "\t=1"}) {
    EXPECT_EQ(CsvTextField(formula), std::string("'") + formula);
  }
  EXPECT_EQ(CsvTextField("田中 太郎"), "田中 太郎");
  const std::string row = LogRow(Car(17, "=1+1"));
  EXPECT_NE(row.find(",17,2,'=1+1,S,"), std::string::npos) << row;
}

}  // namespace
}  // namespace kx14::cli
