// watch with a roster against kx14-devsim processes: each car its driver's
// level, cars not in the roster, a bad roster, several adapters at once, and
// a log that cannot be written.

#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "ctl_fixture.h"

namespace kx14 {
namespace {

using testing::DevsimProcess;
using testing::kPatience;
using testing::Kx14ctl;
using namespace std::string_view_literals;

// The worked example's block with YOURID 0x0000nn.
std::string CarBlock(const std::string& yourId) {
  return "block 5A 00 00 " + yourId + " 00 00 02 00 00 00 00 00 00 05 03 51\n";
}

// OT_MAX, the byte a level sets, from a "stored" line of the frame log.
std::string StoredOtMax(const std::string& line) { return line.substr(7 + 13 * 3, 2); }

class RaceDay : public Kx14ctl {
 protected:
  // Cars 0x11 and 0x22 with different levels; 0x33 is not in the roster;
  // YOURID 99 is never plugged in.
  void WriteRoster() {
    std::ofstream(File("roster.csv")) << "YOURID,level,name,note\n"
                                      << "0x11,S,田中 太郎,\n"
                                      << "34,MAX,\"Smith, J\",rookie\n"
                                      << "99,2,Absent,\n";
  }

  // Plugs in each car in turn and gives the line watch printed for each.
  std::vector<std::string> PlugInTurn(DevsimProcess& watch) {
    std::vector<std::string> lines;
    for (const char* id : {"11", "22", "33"}) {
      sim_->Send(CarBlock(id));
      sim_->Send("mode normal\nregister\n");
      const auto line = watch.WaitForLine("20", kPatience);
      EXPECT_TRUE(line.has_value()) << "car " << id;
      lines.push_back(line.value_or(""));
      sim_->Send("mode silent\nunregister\n");
      EXPECT_TRUE(watch.WaitForLine("unplugged from " + port_, kPatience)) << "car " << id;
    }
    return lines;
  }

  // Waits until the first simulator has logged `count` lines starting with
  // `prefix` in all.
  bool DeviceLogged(const std::string& prefix, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (DeviceLines(prefix).size() < count) {
      if (std::chrono::steady_clock::now() > deadline) return false;
    }
    return true;
  }

  std::vector<std::string> LogRows() {
    std::ifstream csv(File("cars.csv"));
    std::vector<std::string> rows;
    for (std::string row; std::getline(csv, row);) rows.push_back(row);
    return rows;
  }
};

TEST_F(RaceDay, EachCarGetsItsDriversLevelAndOthersAreSkipped) {
  WriteRoster();
  StartDevice({"--silent"});
  sim_->Send("unregister\n");
  DevsimProcess watch = Start({"watch", "--roster", File("roster.csv").string(), "--port", port_,
                               "--log", File("cars.csv").string()});
  ASSERT_TRUE(watch.WaitForLine("roster ", kPatience));
  const std::vector<std::string> lines = PlugInTurn(watch);
  EXPECT_NE(lines[0].find(port_ + "  YOURID 17  MYID 2  田中 太郎  level 0 -> S  ok"),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find("Smith, J  level 0 -> MAX  ok"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find("YOURID 51  MYID 2  level 0 -> -  skipped"), std::string::npos)
      << lines[2];
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("programmed 2 cars, 0 failed, 1 skipped", kPatience));
  EXPECT_TRUE(watch.WaitForLine("1 of the roster's 3 cars not seen", kPatience));
  EXPECT_TRUE(watch.WaitForLine("  YOURID 99  Absent", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);

  const auto stored = DeviceLines("stored ");
  ASSERT_EQ(stored.size(), 2u);  // nothing sent to the car that is not in the roster
  EXPECT_EQ(StoredOtMax(stored[0]), "01");
  EXPECT_EQ(StoredOtMax(stored[1]), "FA");

  const std::vector<std::string> rows = LogRows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_NE(rows[1].find("," + port_ + ",17,2,田中 太郎,S,0,S,ok"), std::string::npos) << rows[1];
  EXPECT_NE(rows[2].find(",34,2,\"Smith, J\",MAX,0,MAX,ok"), std::string::npos) << rows[2];
  EXPECT_NE(rows[3].find(",51,2,,,0,-,skipped: not in the roster"), std::string::npos) << rows[3];
}

TEST_F(RaceDay, CarsNotInTheRosterGetTheLevelGiven) {
  WriteRoster();
  StartDevice({"--silent"});
  sim_->Send("unregister\n");
  DevsimProcess watch =
      Start({"watch", "--roster", File("roster.csv").string(), "--level", "4", "--port", port_});
  ASSERT_TRUE(watch.WaitForLine("waiting", kPatience));
  const std::vector<std::string> lines = PlugInTurn(watch);
  EXPECT_NE(lines[2].find("level 0 -> 4  ok"), std::string::npos) << lines[2];
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("programmed 3 cars, 0 failed, 0 skipped", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);
  const auto stored = DeviceLines("stored ");
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(StoredOtMax(stored[0]), "01");  // the roster's level wins over --level
  EXPECT_EQ(StoredOtMax(stored[2]), "09");
}

TEST_F(RaceDay, ABadRosterIsRefusedBeforeAnythingIsSent) {
  struct BadRoster {
    std::string_view text;
    const char* says;
  };
  const BadRoster table[] = {
      {"MYID,level\n17,3\n0x11,4\n", "line 3: MYID 17 is already on line 2"},
      {"MYID,level\n17,7\n", "line 2: unknown level \"7\""},
      {"MYID,level\n16777216,3\n", "line 2: MYID \"16777216\" is not 0..16777215"},
      {"MYID,level\n-1,3\n", "line 2: MYID \"-1\""},
      {"MYID,level\n17,3,x\n", "line 2: more fields"},
      {"MYID,level,name\n17,3\n", "line 2: fewer fields"},
      {"MYID,level,name\n17,3,\"open\n", "line 2: a quoted field is not closed"},
      {"MYID,level,name\n17,3,\xff\n", "line 2: text that is not UTF-8"},
      {"MYID,level\n17,3\n18\0,3\n"sv, "line 3: a NUL byte"},
      {"MYID,level,driver\n17,3\n", "line 1: unknown column \"driver\""},
      {"MYID,YOURID,level\n17,18,3\n", "line 1: both MYID and YOURID"},
      {"name,level\nA,3\n", "line 1: no identifier column"},
      {"", "line 1: no header"},
  };
  StartDevice();
  for (const BadRoster& bad : table) {
    std::ofstream(File("bad.csv"), std::ios::binary) << bad.text;
    const testing::CtlRun run =
        Ctl({"watch", "--roster", File("bad.csv").string(), "--port", port_});
    EXPECT_EQ(run.status, 2) << bad.says;
    EXPECT_TRUE(run.Says("bad.csv " + std::string(bad.says))) << run.output;
  }
  EXPECT_TRUE(DeviceLines("rx").empty());
}

// Dirty contacts and quick hands at the track: garbled replies while a car
// sits on the adapter are not an unplug; a long burst may be taken for one,
// but the car is then known by its block and not counted again; a car
// swapped for another between two polls is programmed at once.
TEST_F(RaceDay, NoiseNeverCountsACarTwiceAndASwappedCarIsProgrammedAtOnce) {
  StartDevice({"--block", "5A 00 00 11 00 00 02 00 00 00 00 00 00 05 03 51"});
  DevsimProcess watch = Start({"watch", "--level", "2", "--port", port_, "--log",
                               File("cars.csv").string()});
  ASSERT_TRUE(watch.WaitForLine("20", kPatience));

  sim_->Send("mode bad-checksum\n");
  ASSERT_TRUE(DeviceLogged("ctl mode", 1));
  ASSERT_TRUE(DeviceLogged("rx E5", DeviceLines("rx E5").size() + 2));
  sim_->Send("mode normal\nmode bad-checksum\n");
  ASSERT_TRUE(watch.WaitForLine("unplugged from " + port_ + "; waiting", kPatience));
  sim_->Send("mode normal\n");
  EXPECT_TRUE(watch.WaitForLine(port_ + "  YOURID 17  MYID 2  back as this adapter left it",
                                kPatience));

  sim_->Send("block 5A 00 00 22 00 00 02 00 00 00 00 00 00 05 03 51\n");
  ASSERT_TRUE(watch.WaitForLine("unplugged from " + port_ + "; another car", kPatience));
  const auto swapped = watch.WaitForLine("20", kPatience);
  ASSERT_TRUE(swapped.has_value());
  EXPECT_NE(swapped->find("YOURID 34  MYID 2  level 0 -> 2  ok"), std::string::npos) << *swapped;
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("programmed 2 cars, 0 failed", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);
  EXPECT_EQ(DeviceLines("stored ").size(), 2u);
  EXPECT_EQ(LogRows().size(), 3u);
}

// A port whose path cannot even be looked at (here a link that comes to
// point at itself) is said at once and waited for; the other port goes on,
// and the run keeps its totals.
TEST_F(RaceDay, APortThatCannotBeLookedAtIsSaidAndTheOthersGoOn) {
  StartDevice({"--block", "5A 00 00 11 00 00 02 00 00 00 00 00 00 05 03 51"});
  testing::Device second;
  StartDeviceIn(second, {"--block", "5A 00 00 22 00 00 02 00 00 00 00 00 00 05 03 51"});
  const std::filesystem::path adapter = File("adapter");
  std::filesystem::create_symlink(device_, adapter);
  DevsimProcess watch =
      Start({"watch", "--level", "2", "--port", adapter.string(), "--port", second.port});
  ASSERT_TRUE(watch.WaitForLine("20", kPatience));
  ASSERT_TRUE(watch.WaitForLine("20", kPatience));

  std::filesystem::remove(adapter);
  std::filesystem::create_symlink(adapter.filename(), adapter);
  ASSERT_TRUE(watch.WaitForLine("kx14ctl: " + adapter.string() + " cannot be opened now",
                                kPatience));

  second.sim->Send("block 5A 00 00 33 00 00 02 00 00 00 00 00 00 05 03 51\n");
  const auto other = watch.WaitForLine("20", kPatience);
  ASSERT_TRUE(other.has_value());
  EXPECT_NE(other->find(second.port + "  YOURID 51"), std::string::npos) << *other;

  std::filesystem::remove(adapter);
  std::filesystem::create_symlink(device_, adapter);
  EXPECT_TRUE(watch.WaitForLine(adapter.string() + "  YOURID 17  MYID 2  back as", kPatience));
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("programmed 3 cars, 0 failed", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);
}

TEST_F(RaceDay, TwoAdaptersAreWatchedEachOnItsOwn) {
  // The first adapter's device answers slowly: a watch that took one port at
  // a time would finish its car before looking at the second port.
  StartDevice({"--delay", "1500", "--block", "5A 00 00 11 00 00 02 00 00 00 00 00 00 05 03 51"});
  testing::Device second;
  StartDeviceIn(second, {"--block", "5A 00 00 22 00 00 02 00 00 00 00 00 00 05 03 51"});
  DevsimProcess watch = Start({"watch", "--level", "2", "--port", port_, "--port", second.port,
                               "--trace", File("trace.txt").string()});
  ASSERT_TRUE(watch.WaitForLine("waiting for cars on " + port_ + " " + second.port, kPatience));
  const auto quick = watch.WaitForLine("20", kPatience);
  ASSERT_TRUE(quick.has_value());
  EXPECT_NE(quick->find(second.port + "  YOURID 34  MYID 2  level 0 -> 2  ok"), std::string::npos)
      << *quick;
  const auto slow = watch.WaitForLine("20", 2 * kPatience);
  ASSERT_TRUE(slow.has_value());
  EXPECT_NE(slow->find(port_ + "  YOURID 17  MYID 2  level 0 -> 2  ok"), std::string::npos)
      << *slow;
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine(port_ + ": programmed 1 cars", kPatience));
  EXPECT_TRUE(watch.WaitForLine(second.port + ": programmed 1 cars", kPatience));
  EXPECT_TRUE(watch.WaitForLine("programmed 2 cars, 0 failed", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);
  // One trace for both ports: every line says whose it is.
  std::ifstream trace(File("trace.txt"));
  int lines = 0;
  for (std::string line; std::getline(trace, line); ++lines) {
    EXPECT_TRUE(line.find(" " + port_ + " ") != std::string::npos ||
                line.find(" " + second.port + " ") != std::string::npos)
        << line;
  }
  EXPECT_GT(lines, 3);
}

TEST_F(RaceDay, ALogRowThatCannotBeWrittenIsReportedAndCounted) {
  StartDevice();
  DevsimProcess watch =
      Start({"watch", "--level", "3", "--port", port_, "--log", "/dev/full", "--json"});
  const auto lost = watch.WaitForLine("kx14ctl: the log row of " + port_, kPatience);
  ASSERT_TRUE(lost.has_value());
  EXPECT_NE(lost->find("could not be written to /dev/full"), std::string::npos) << *lost;
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("kx14ctl: 1 log rows could not be written", kPatience));
  // The report and the failure are one JSON document.
  std::string document;
  while (const auto line = watch.ReadLine(kPatience)) document += *line + "\n";
  EXPECT_EQ(watch.WaitExit(kPatience), 1);
  const nlohmann::json report = nlohmann::json::parse(document, nullptr, false);
  ASSERT_TRUE(report.is_object()) << document;
  EXPECT_EQ(report["programmed"], 1);
  EXPECT_EQ(report["log_rows_lost"], 1);
  EXPECT_EQ(report["status"], 1);
  EXPECT_EQ(report["cars"][0]["yourid"], 1);
  EXPECT_EQ(DeviceLines("stored ").size(), 1u);
}

}  // namespace
}  // namespace kx14
