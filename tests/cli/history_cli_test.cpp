// kx14ctl's history against kx14-devsim: what each storing command records,
// undo, diff between a backup file, a history entry and the device,
// --dry-run, and a history that cannot be written.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "ctl_fixture.h"

namespace kx14 {
namespace {

using testing::CtlRun;
using testing::Kx14ctl;
using testing::kLevel3;
using testing::kWorked;
using Json = nlohmann::json;

const std::string kLevel3Time5 = "5A 00 00 01 00 00 02 08 00 00 00 00 00 08 05 51";

std::string Hex(const std::string& spaced) {
  std::string hex;
  for (const char c : spaced) {
    if (c != ' ') hex += c;
  }
  return hex;
}

class History : public Kx14ctl {
 protected:
  Json Entries() {
    const CtlRun run = Ctl({"history", "--json"});
    EXPECT_EQ(run.status, 0) << run.output;
    return Json::parse(run.output, nullptr, false)["entries"];
  }
  std::filesystem::path EntryFile(const Json& entry) {
    // The processes the tests start have XDG_DATA_HOME at the test's folder.
    return File("kx14-manager") / "history" / (entry["id"].get<std::string>() + ".json");
  }
  // The device's block now, as kx14ctl reads it.
  std::string DeviceBlock() {
    const CtlRun run = Ctl({"read", "--json", "--port", port_});
    return Json::parse(run.output, nullptr, false).value("block", "");
  }
};

TEST_F(History, EveryStoringCommandRecordsTheBlockTheCarHeld) {
  StartDevice();
  ASSERT_EQ(Ctl({"backup", "--output", File("car.json").string(), "--port", port_}).status, 0);
  ASSERT_EQ(Ctl({"program", "--level", "3", "--port", port_}).status, 0);
  ASSERT_EQ(Ctl({"set", "OT_TIME=5", "--port", port_}).status, 0);
  ASSERT_EQ(Ctl({"restore", "--input", File("car.json").string(), "--port", port_}).status, 0);
  const Json entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"restore", kLevel3Time5}, {"set", kLevel3}, {"program", kWorked}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i]["command"], expected[i].first);
    EXPECT_EQ(entries[i]["before"], Hex(expected[i].second)) << expected[i].first;
    EXPECT_EQ(entries[i]["result"], "read back equal");
    EXPECT_EQ(entries[i]["port"], port_);
  }
  EXPECT_EQ(entries[2]["changes"][0]["field"], "OVERTAKE");
  // An entry's file is taken back by restore as it stands.
  const CtlRun restored =
      Ctl({"restore", "--input", EntryFile(entries[1]).string(), "--port", port_});
  EXPECT_EQ(restored.status, 0) << restored.output;
  EXPECT_EQ(LastStored(), kLevel3);
}

TEST_F(History, UndoPutsBackTheBlockBeforeTheCarsLatestStore) {
  StartDevice();
  ASSERT_EQ(Ctl({"program", "--level", "3", "--port", port_}).status, 0);
  ASSERT_EQ(Ctl({"set", "OT_TIME=5", "--port", port_}).status, 0);
  const CtlRun undo = Ctl({"undo", "--port", port_});
  EXPECT_EQ(undo.status, 0) << undo.output;
  EXPECT_TRUE(undo.Says("OT_TIME   5 -> 3")) << undo.output;
  EXPECT_EQ(LastStored(), kLevel3);
  EXPECT_EQ(DeviceBlock(), Hex(kLevel3));
  const Json entries = Entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0]["command"], "undo");
  EXPECT_EQ(entries[0]["result"], "read back equal");
}

// The latest store changed the car's identity: the block before it is
// another car's, refused as restore refuses one.
TEST_F(History, UndoChecksTheCarsIdentityAsRestoreDoes) {
  StartDevice();
  ASSERT_EQ(Ctl({"set", "YOURID=7", "--port", port_}).status, 0);
  const CtlRun undo = Ctl({"undo", "--port", port_});
  EXPECT_EQ(undo.status, 1);
  EXPECT_TRUE(undo.Says("another car")) << undo.output;
  EXPECT_EQ(DeviceLines("stored ").size(), 1u);
  EXPECT_EQ(Ctl({"undo", "--force", "--port", port_}).status, 0);
  EXPECT_EQ(LastStored(), kWorked);
}

TEST_F(History, DiffComparesAnyTwoOfAFileAnEntryAndTheDevice) {
  StartDevice();
  ASSERT_EQ(Ctl({"backup", "--output", File("car.json").string(), "--port", port_}).status, 0);
  ASSERT_EQ(Ctl({"program", "--level", "3", "--port", port_}).status, 0);
  const std::string file = File("car.json").string();
  const CtlRun fileAndEntry = Ctl({"diff", file, "@1"});
  EXPECT_EQ(fileAndEntry.status, 0) << fileAndEntry.output;
  const CtlRun entryAndDevice = Ctl({"diff", "@1", "device", "--port", port_});
  EXPECT_EQ(entryAndDevice.status, 1);
  EXPECT_TRUE(entryAndDevice.Says("OT_MAX    5 -> 8")) << entryAndDevice.output;
  const CtlRun deviceAndFile = Ctl({"diff", "device", file, "--port", port_, "--json"});
  EXPECT_EQ(deviceAndFile.status, 1);
  // stderr's line comes ahead of the document.
  const Json document =
      Json::parse(deviceAndFile.output.substr(deviceAndFile.output.find('{')), nullptr, false);
  EXPECT_EQ(document["same"], false) << deviceAndFile.output;
  EXPECT_EQ(Ctl({"diff", "device", "@1:sent", "--port", port_}).status, 0);
  EXPECT_EQ(Ctl({"diff", "@2", "device", "--port", port_}).status, 2);
}

TEST_F(History, DryRunShowsTheChangeAndSendsAndRecordsNothing) {
  StartDevice();
  const CtlRun dry = Ctl({"program", "--level", "MAX", "--dry-run", "--port", port_});
  EXPECT_EQ(dry.status, 0) << dry.output;
  EXPECT_TRUE(dry.Says("OT_MAX    5 -> 250")) << dry.output;
  EXPECT_EQ(Ctl({"set", "OT_TIME=9", "--dry-run", "--port", port_}).status, 0);
  EXPECT_TRUE(DeviceLines("stored ").empty());
  EXPECT_TRUE(Entries().empty());
  ASSERT_EQ(Ctl({"set", "OT_TIME=9", "--no-history", "--port", port_}).status, 0);
  EXPECT_TRUE(Entries().empty());
}

// A history folder that cannot be made (even root cannot make one under a
// file), or a disk that takes no more bytes (a file size limit of 0, with
// SIGXFSZ ignored, makes every write fail as a full disk does): the store
// goes ahead, and the failure is said on stderr and in the JSON document.
TEST_F(History, AHistoryThatCannotBeWrittenNeverStopsTheStore) {
  StartDevice();
  std::ofstream(File("file")) << "";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"KX14_HISTORY_DIR=" + (File("file") / "history").string() + " exec", "OT_TIME=5"},
      {"trap '' XFSZ; ulimit -f 0; exec", "OT_TIME=6"}};
  for (const auto& [shell, assignment] : cases) {
    testing::DevsimProcess ctl("/bin/sh", temp_.path(),
                               {"-c", shell + " \"$0\" \"$@\" 2>&1", KX14CTL_PATH, "set",
                                assignment, "--port", port_, "--json"});
    CtlRun run;
    while (const auto line = ctl.ReadLine(testing::kPatience)) run.output += *line + "\n";
    run.status = ctl.WaitExit(testing::kPatience).value_or(-1);
    EXPECT_EQ(run.status, 0) << shell << run.output;
    EXPECT_TRUE(run.Says("kx14ctl: history not recorded")) << shell << run.output;
    EXPECT_TRUE(run.Says("\"history_errors\"")) << shell << run.output;
    EXPECT_EQ(LastStored(),
              "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 0" + assignment.substr(8) + " 51");
  }
}

}  // namespace
}  // namespace kx14
