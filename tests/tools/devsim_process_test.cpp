// The real simulator binary on a temporary ports directory, talked to through
// its registered COM port with plain termios.

#include "devsim_process.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "ports/com_ports.h"
#include "protocol/frames.h"
#include "temp_dir.h"
#include "protocol/hex_bytes.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using kx14::HexBytes;
using kx14::ParseHexBytes;

constexpr auto kPatience = 5000ms;  // generous: the machine may be busy

const ByteString kWorkedReadReply =
    *ParseHexBytes("E5 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51 B6");
const ByteString kWorkedProgram =
    *ParseHexBytes("F5 5A 00 00 01 00 00 02 08 00 00 00 00 00 08 03 51 C1");

class Devsim : public ::testing::Test {
 protected:
  PortSources Sources() const { return {temp_.path() / "kx14-manager" / "ports", "/sys"}; }

  // Starts the simulator and reads its "port COM<n> <device>" line.
  void Start(const std::vector<std::string>& args = {}) {
    sim_.emplace(KX14_DEVSIM_PATH, temp_.path(), args);
    const auto line = sim_->WaitForLine("port ", kPatience);
    ASSERT_TRUE(line.has_value()) << "no port line";
    std::istringstream words(*line);
    std::string keyword;
    words >> keyword >> portName_ >> slave_;
  }

  int OpenPort() {
    const int number = std::stoi(portName_.substr(3));
    const auto device = ResolveComPort(number, Sources());
    EXPECT_TRUE(device.has_value()) << portName_;
    return testing::OpenRawSerial(device.value_or("/nonexistent"));
  }

  void Stop() {
    sim_->Signal(SIGTERM);
    EXPECT_EQ(sim_->WaitExit(kPatience), 0);
  }

  testing::TempDir temp_;
  std::optional<testing::DevsimProcess> sim_;
  std::string portName_;
  std::string slave_;
};

TEST_F(Devsim, AnswersAReadThroughItsPortAndRemovesItsEntryOnSigterm) {
  const std::int32_t expected = FirstFreeComNumber(Sources());
  Start();
  EXPECT_EQ(portName_, ComPortName(expected));
  EXPECT_EQ(fs::read_symlink(Sources().portsDir / portName_), fs::path(slave_));

  const int fd = OpenPort();
  EXPECT_EQ(testing::Exchange(fd, ReadCommandFrame(), 18, kPatience), kWorkedReadReply);
  ::close(fd);
  EXPECT_EQ(sim_->WaitForLine("rx", kPatience), "rx E5");
  EXPECT_EQ(sim_->WaitForLine("tx", kPatience), "tx " + HexBytes(kWorkedReadReply));

  Stop();
  EXPECT_FALSE(fs::exists(fs::symlink_status(Sources().portsDir / portName_)));
  EXPECT_EQ(sim_->WaitForLine("exit", kPatience), "exit " + portName_ + " removed");
}

TEST_F(Devsim, KeepsItsBlockAcrossAClosedAndReopenedPortWithoutSpinning) {
  Start({"--pace", "9600"});
  int fd = OpenPort();
  EXPECT_EQ(testing::Exchange(fd, kWorkedProgram, 19, kPatience), kWorkedProgram + "\x06");
  ::close(fd);
  EXPECT_EQ(sim_->WaitForLine("stored", kPatience),
            "stored " + HexBytes(kWorkedProgram.substr(1, 16)));

  // Nobody has the port open now. A loop that polled a hung-up master
  // would burn a whole core here.
  const auto cpuBefore = sim_->CpuTime();
  std::this_thread::sleep_for(500ms);
  EXPECT_LT(sim_->CpuTime() - cpuBefore, 250ms);

  fd = OpenPort();
  const ByteString reply = testing::Exchange(fd, ReadCommandFrame(), 18, kPatience);
  ::close(fd);
  EXPECT_EQ(ParseReadReply(reply), BlockFromByteString(kWorkedProgram, 1));
  Stop();
}

TEST_F(Devsim, ControlCommandsChangeItsBehaviourWhileItRuns) {
  const fs::path log = temp_.path() / "frames.log";
  Start({"--log", log.string()});
  const int fd = OpenPort();

  sim_->Send("mode refuse\n");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl mode refuse");
  EXPECT_EQ(testing::Exchange(fd, kWorkedProgram, 19, kPatience), kWorkedProgram + "\x15");

  sim_->Send("mode silent\n");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl mode silent");
  EXPECT_EQ(testing::Exchange(fd, ReadCommandFrame(), 18, 300ms), "");

  sim_->Send("bogus\nmode normal\n");
  EXPECT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl error unknown command 'bogus'");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl mode normal");
  EXPECT_EQ(testing::Exchange(fd, ReadCommandFrame(), 18, kPatience), kWorkedReadReply);
  ::close(fd);
  sim_->Send("quit\n");
  EXPECT_EQ(sim_->WaitExit(kPatience), 0);
  EXPECT_FALSE(fs::exists(fs::symlink_status(Sources().portsDir / portName_)));

  // The log file holds the same lines as standard output.
  while (sim_->ReadLine(100ms)) {
  }
  std::ifstream file(log);
  std::vector<std::string> fileLines;
  for (std::string line; std::getline(file, line);) fileLines.push_back(line);
  EXPECT_EQ(fileLines, sim_->Lines());
  EXPECT_EQ(std::count(fileLines.begin(), fileLines.end(), "rx E5"), 2);
  EXPECT_EQ(std::count_if(fileLines.begin(), fileLines.end(),
                          [](const std::string& l) { return l.rfind("stored", 0) == 0; }),
            0);
}

// A car unplugged with its adapter and the next one plugged in: the entry
// goes and comes back, the block changes, the pty stays throughout.
TEST_F(Devsim, UnregisterAndRegisterDropAndRestoreTheEntryOnly) {
  Start();
  const fs::path entry = Sources().portsDir / portName_;
  int fd = OpenPort();
  sim_->Send("unregister\nunregister\n");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl unregister " + portName_);
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl unregister " + portName_ + " unchanged");
  EXPECT_FALSE(fs::exists(fs::symlink_status(entry)));
  EXPECT_EQ(testing::Exchange(fd, ReadCommandFrame(), 18, kPatience), kWorkedReadReply);
  ::close(fd);

  const std::string nextCar = "00 12 34 56 00 00 07 00 00 00 00 00 00 02 03 51";
  sim_->Send("block " + nextCar + "\nregister\n");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl block " + nextCar);
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl register " + portName_);
  EXPECT_EQ(fs::read_symlink(entry), fs::path(slave_));
  fd = OpenPort();
  EXPECT_EQ(ParseReadReply(testing::Exchange(fd, ReadCommandFrame(), 18, kPatience)),
            BlockFromByteString(*ParseHexBytes(nextCar), 0));
  ::close(fd);

  // A name taken while the entry was away stays with its new owner.
  sim_->Send("unregister\n");
  ASSERT_EQ(sim_->WaitForLine("ctl", kPatience), "ctl unregister " + portName_);
  fs::create_symlink("/dev/null", entry);
  sim_->Send("register\nquit\n");
  const auto refused = sim_->WaitForLine("ctl", kPatience);
  EXPECT_EQ(refused.value_or("").rfind("ctl error register " + portName_ + ": ", 0), 0u)
      << refused.value_or("");
  EXPECT_EQ(sim_->WaitExit(kPatience), 0);
  EXPECT_EQ(fs::read_symlink(entry), fs::path("/dev/null"));
  EXPECT_EQ(sim_->WaitForLine("exit", kPatience), "exit " + portName_ + " unregistered");
}

TEST_F(Devsim, PrintsItsVersion) {
  testing::DevsimProcess version(KX14_DEVSIM_PATH, temp_.path(), {"--version"});
  const auto line = version.ReadLine(kPatience);
  EXPECT_EQ(version.WaitExit(kPatience), 0);
  EXPECT_EQ(line, "kx14-devsim " KX14_VERSION);
}

TEST_F(Devsim, LeavesAnEntryThatSomeoneElsePutInItsPlace) {
  Start();
  const fs::path entry = Sources().portsDir / portName_;
  fs::remove(entry);
  fs::create_symlink("/dev/null", entry);
  sim_->Signal(SIGINT);
  EXPECT_EQ(sim_->WaitExit(kPatience), 0);
  EXPECT_EQ(fs::read_symlink(entry), fs::path("/dev/null"));
  EXPECT_EQ(sim_->WaitForLine("exit", kPatience), "exit " + portName_ + " kept");
}

TEST_F(Devsim, RegistersTheNumberItIsToldAndRefusesATakenOne) {
  fs::create_directories(Sources().portsDir);
  fs::create_symlink("/dev/null", Sources().portsDir / "COM41");
  {
    testing::DevsimProcess taken(KX14_DEVSIM_PATH, temp_.path(), {"--com", "41"});
    EXPECT_EQ(taken.WaitExit(kPatience), 1);
  }
  EXPECT_EQ(fs::read_symlink(Sources().portsDir / "COM41"), fs::path("/dev/null"));

  Start({"--com", "42"});
  EXPECT_EQ(portName_, "COM42");
  Stop();
}

}  // namespace
}  // namespace kx14
