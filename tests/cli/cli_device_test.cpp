// kx14ctl as a whole process against the kx14-devsim process on a pty: each
// command's success path, faulty devices, read-back, another car's backup,
// a bad file, a held port, and the track-side mode over three cars.

#include <fcntl.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "files/backup_document.h"
#include "ctl_fixture.h"

namespace kx14 {
namespace {

using testing::CtlRun;
using testing::kLevel3;
using testing::kPatience;
using testing::kWorked;
using testing::Kx14ctl;
namespace fs = std::filesystem;
using namespace std::chrono_literals;


TEST_F(Kx14ctl, EveryCommandWorksAgainstTheSimulator) {
  StartDevice();
  const CtlRun ports = Ctl({"ports"});
  EXPECT_EQ(ports.status, 0);
  EXPECT_TRUE(ports.Says(port_ + "\t")) << ports.output;

  const std::string lower = "com" + port_.substr(3);
  const CtlRun read = Ctl({"read", "--port", lower, "--trace", File("trace.log").string()});
  EXPECT_EQ(read.status, 0) << read.output;
  EXPECT_TRUE(read.Says("OT_MAX    5\n")) << read.output;
  std::ifstream trace(File("trace.log"));
  const std::string traced(std::istreambuf_iterator<char>(trace), {});
  EXPECT_NE(traced.find(" tx E5\n"), std::string::npos) << traced;
  EXPECT_NE(traced.find(" rx E5 " + kWorked + " B6\n"), std::string::npos) << traced;

  const CtlRun json = Ctl({"--json", "--port", device_, "read"});
  EXPECT_EQ(json.status, 0);
  EXPECT_EQ(cli::BlockHex(cli::ReadBackupDocument(json.output)),
            "5A000001000002000000000000050351");

  EXPECT_EQ(Ctl({"program", "--level", "3", "--port", port_}).status, 0);
  EXPECT_EQ(LastStored(), kLevel3);

  EXPECT_EQ(Ctl({"backup", "--output", File("car.json").string(), "--port", port_}).status, 0);
  EXPECT_EQ(Ctl({"backup", "--output", File("car.json").string(), "--port", port_}).status, 2);

  EXPECT_EQ(Ctl({"set", "OT_TIME=5", "MASTERF=on", "--port", port_}).status, 0);
  EXPECT_EQ(LastStored(), "5A 00 00 01 00 00 02 09 00 00 00 00 00 08 05 51");

  const CtlRun differs = Ctl({"verify", "--input", File("car.json").string(), "--port", port_});
  EXPECT_EQ(differs.status, 1);
  EXPECT_TRUE(differs.Says("MASTERF, OT_TIME")) << differs.output;
  // With --json the differences and the failure are one document.
  const CtlRun differsJson =
      Ctl({"--json", "verify", "--input", File("car.json").string(), "--port", port_});
  EXPECT_EQ(differsJson.status, 1);
  const std::string& output = differsJson.output;
  const nlohmann::json report =
      nlohmann::json::parse(output.substr(output.find("\n{") + 1), nullptr, false);
  ASSERT_TRUE(report.is_object()) << output;
  EXPECT_EQ(report["command"], "verify");
  EXPECT_EQ(report["status"], 1);

  EXPECT_EQ(Ctl({"restore", "--input", File("car.json").string(), "--port", port_}).status, 0);
  EXPECT_EQ(LastStored(), kLevel3);
  EXPECT_EQ(Ctl({"verify", "--input", File("car.json").string(), "--port", port_}).status, 0);
}

struct FaultCase {
  const char* name;
  const char* fault;
  const char* command;
  bool programFrameSent;  // only a device that answers the read gets the block
};

class Kx14ctlFaults : public Kx14ctl, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(Kx14ctlFaults, FailWithStatusOneAndStoreNothing) {
  StartDevice();
  ASSERT_EQ(Ctl({"backup", "--output", File("car.json").string(), "--port", port_}).status, 0);
  sim_->Send(std::string("mode ") + GetParam().fault + "\n");
  const std::string command = GetParam().command;
  const CtlRun run = command == "program"
                         ? Ctl({"program", "--level", "MAX", "--port", port_})
                         : Ctl({"restore", "--input", File("car.json").string(), "--port", port_});
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  EXPECT_TRUE(LastStored().empty());
  EXPECT_EQ(DeviceLines("rx F5").size(), GetParam().programFrameSent ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Kx14ctlFaults,
    ::testing::Values(FaultCase{"SilentProgram", "silent", "program", false},
                      FaultCase{"RefusingProgram", "refuse", "program", true},
                      FaultCase{"BadChecksumProgram", "bad-checksum", "program", false},
                      FaultCase{"SilentRestore", "silent", "restore", false},
                      FaultCase{"RefusingRestore", "refuse", "restore", true},
                      FaultCase{"BadChecksumRestore", "bad-checksum", "restore", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Kx14ctl, ReadBackCatchesADeviceThatStoresSomethingElse) {
  StartDevice({"--wrong-store"});
  const CtlRun run = Ctl({"program", "--level", "3", "--port", port_});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.Says("read-back differs")) << run.output;
  EXPECT_TRUE(run.Says("MAXPWR")) << run.output;  // the simulator changes the last byte
  EXPECT_EQ(Ctl({"program", "--level", "3", "--port", port_, "--no-verify"}).status, 0);
}

TEST_F(Kx14ctl, ForceSendsTheWindowsStartStateWhenTheReadFails) {
  StartDevice({"--silent"});
  EXPECT_EQ(Ctl({"program", "--level", "6", "--port", port_}).status, 1);
  EXPECT_TRUE(DeviceLines("rx F5").empty());
  const CtlRun run = Ctl({"program", "--level", "6", "--port", port_, "--force"});
  EXPECT_EQ(run.status, 1);  // still silent: no acknowledgement
  EXPECT_TRUE(run.Says("--force")) << run.output;
  const auto sent = DeviceLines("rx F5");
  ASSERT_EQ(sent.size(), 1u);
  // Start state: BUP 5A, identifiers 0, OVERTAKE on, OT_MAX 15, OT_TIME 3, MAXPWR 74 %.
  EXPECT_EQ(sent[0].substr(6, 47), "5A 00 00 00 00 00 00 08 00 00 00 00 00 0F 03 51");
}

TEST_F(Kx14ctl, RestoreRefusesABackupOfAnotherCarUnlessForced) {
  StartDevice();
  const BlockBytes otherCar = {0x5A, 0, 0, 7, 0, 0, 2, 0, 0, 0, 0, 0, 0, 5, 3, 0x51};
  std::ofstream(File("other.json")) << cli::BackupDocument(otherCar, "COM9", "t");
  const CtlRun refused = Ctl({"restore", "--input", File("other.json").string(), "--port", port_});
  EXPECT_EQ(refused.status, 1);
  EXPECT_TRUE(refused.Says("another car")) << refused.output;
  EXPECT_TRUE(DeviceLines("rx F5").empty());
  EXPECT_EQ(
      Ctl({"restore", "--input", File("other.json").string(), "--port", port_, "--force"}).status,
      0);
  EXPECT_EQ(LastStored(), "5A 00 00 07 00 00 02 00 00 00 00 00 00 05 03 51");
}

TEST_F(Kx14ctl, InputErrorsSendNothing) {
  StartDevice();
  std::ofstream(File("bad.json")) << "{\"format\": \"kx14-parameter-block\"";
  EXPECT_EQ(Ctl({"restore", "--input", File("bad.json").string(), "--port", port_}).status, 2);
  EXPECT_EQ(Ctl({"set", "OT_TIME=251", "--port", port_}).status, 2);
  EXPECT_EQ(Ctl({"read"}).status, 2);  // no --port: the ports are listed instead
  EXPECT_TRUE(DeviceLines("rx").empty());
}

TEST_F(Kx14ctl, PortHeldByAnotherProcessIsStatusThree) {
  StartDevice();
  const int held = ::open(device_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const CtlRun run = Ctl({"read", "--port", port_});
  EXPECT_EQ(run.status, 3);
  EXPECT_TRUE(run.Says("held by PID " + std::to_string(::getpid()))) << run.output;
  EXPECT_EQ(Ctl({"read", "--port", "COM999"}).status, 3);
  ::close(held);
}

TEST_F(Kx14ctl, WatchProgramsThreeCarsPluggedInTurn) {
  StartDevice({"--silent"});
  sim_->Send("unregister\n");
  testing::DevsimProcess watch(
      KX14CTL_PATH, temp_.path(),
      {"watch", "--level", "3", "--port", port_, "--log", File("cars.csv").string()});
  ASSERT_TRUE(watch.WaitForLine("waiting", kPatience));
  for (const char* id : {"11", "22", "33"}) {
    sim_->Send(std::string("block 5A 00 00 ") + id + " 00 00 02 00 00 00 00 00 00 05 03 51\n");
    sim_->Send("mode normal\nregister\n");  // plugged in
    const auto line = watch.WaitForLine("20", kPatience);
    ASSERT_TRUE(line.has_value()) << "car " << id;
    EXPECT_NE(line->find("level 0 -> 3  ok"), std::string::npos) << *line;
    sim_->Send("mode silent\nunregister\n");  // unplugged with its adapter
    ASSERT_TRUE(watch.WaitForLine("unplugged", kPatience)) << "car " << id;
  }
  watch.Signal(SIGINT);
  EXPECT_TRUE(watch.WaitForLine("programmed 3 cars, 0 failed", kPatience));
  EXPECT_EQ(watch.WaitExit(kPatience), 0);
  std::ifstream csv(File("cars.csv"));
  std::string header, row;
  std::getline(csv, header);
  EXPECT_EQ(header, "time,port,yourid,myid,name,roster_level,old_level,new_level,result");
  int rows = 0;
  while (std::getline(csv, row)) ++rows;
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(DeviceLines("stored ").size(), 3u);
  // Each car's store is in the history, with the block it held.
  const CtlRun history = Ctl({"history", "--json"});
  const auto entries = nlohmann::json::parse(history.output, nullptr, false)["entries"];
  ASSERT_EQ(entries.size(), 3u) << history.output;
  for (const int yourId : {0x33, 0x22, 0x11}) {
    const auto& entry = entries[static_cast<std::size_t>(0x33 - yourId) / 0x11];
    EXPECT_EQ(entry["command"], "watch");
    EXPECT_EQ(entry["YOURID"], yourId);
    EXPECT_EQ(entry["result"], "read back equal");
  }
}

}  // namespace
}  // namespace kx14
