#include "ports/com_ports.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "fake_port_tree.h"
#include "ports/port_list_names.h"
#include "ports/port_name_order.h"
#include "pty_pair.h"

namespace kx14 {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// A ports directory and a sysfs tree of our own making.
class PortTree : public ::testing::Test, protected testing::FakePortTree {};

using UserPorts = PortTree;

TEST_F(UserPorts, MissingOrEmptyDirectoryListsNothing) {
  EXPECT_TRUE(ListComPortNames(Sources()).empty());
  MakePortsDir();
  EXPECT_TRUE(ListComPortNames(Sources()).empty());
  EXPECT_FALSE(ResolveComPort(1, Sources()).has_value());
}

TEST_F(UserPorts, OnlyCharacterDevicesAreListed) {
  AddUserPort("COM7");
  std::ofstream(PortsDir() / "COM1") << "not a device";
  ASSERT_EQ(::mkfifo((PortsDir() / "COM2").c_str(), 0600), 0);  // listing must not open it
  fs::create_symlink(PortsDir() / "gone", PortsDir() / "COM3");
  fs::create_symlink(PortsDir() / "COM4", PortsDir() / "COM4");
  fs::create_directory(PortsDir() / "COM5");
  fs::create_directory_symlink("/tmp", PortsDir() / "COM6");
  fs::create_symlink(PortsDir() / "COM2", PortsDir() / "COM8");  // a link to the FIFO

  EXPECT_EQ(ListComPortNames(Sources()), Names{"COM7"});
  EXPECT_EQ(ResolveComPort(7, Sources()), PortsDir() / "COM7");
  for (int n : {1, 2, 3, 4, 5, 6, 8}) EXPECT_FALSE(ResolveComPort(n, Sources())) << n;
}

TEST_F(UserPorts, ListedByNumberThenOddNamesAsTheyAre) {
  for (const char* name : {"COM10", "my port", "COM2", "COM1", "ttyUSB0"}) AddUserPort(name);
  EXPECT_EQ(ListComPortNames(Sources()), (Names{"COM1", "COM2", "COM10", "my port", "ttyUSB0"}));
}

TEST_F(UserPorts, ResolveNeedsTheExactName) {
  AddUserPort("COM05");
  AddUserPort("COM6");
  EXPECT_FALSE(ResolveComPort(5, Sources()).has_value());
  EXPECT_EQ(ResolveComPort(6, Sources()), PortsDir() / "COM6");
}

TEST_F(UserPorts, ResolvesAPseudoTerminalLink) {
  const testing::PtyPair pty;
  AddUserPort("COM3", pty.SlavePath());
  const auto resolved = ResolveComPort(3, Sources());
  ASSERT_TRUE(resolved.has_value());
  EXPECT_EQ(fs::read_symlink(*resolved), pty.SlavePath());
}

TEST_F(UserPorts, ListedNamesFailTheSortWithTheConversionMessage) {
  AddUserPort("COM1");
  AddUserPort("serial");
  Names names = ListComPortNames(Sources());
  try {
    SortPortNames(names);
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "'ial' は整数ではありません");
  }
}

TEST_F(UserPorts, AnEntryWithoutANumberIsSkippedWithItsReasonAndTheRestStayInOrder) {
  for (const char* name : {"COM10", "serial", "COM2", "COM$1F", "COM+x"}) AddUserPort(name);
  const PortListNames list = ListPortNamesByNumber(Sources());
  EXPECT_EQ(list.names, (Names{"COM2", "COM10", "COM$1F"}));
  ASSERT_EQ(list.skipped.size(), 2u);
  EXPECT_EQ(list.skipped[0].name, "COM+x");
  EXPECT_EQ(list.skipped[0].reason, "'+x' は整数ではありません");
  EXPECT_EQ(list.skipped[1].name, "serial");
}

using DetectedPorts = PortTree;

TEST_F(DetectedPorts, KindOrderThenNumberTakeComNumbers) {
  for (const char* tty :
       {"ttyACM0", "ttyUSB10", "ttyAMA0", "ttyUSB2", "ttyS1", "rfcomm0", "ttyGS0", "ttyS0"}) {
    AddTty(tty);
  }
  const std::vector<ComPort> ports = ListComPorts(Sources());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"COM1", "/dev/ttyS0"},    {"COM2", "/dev/ttyS1"},   {"COM3", "/dev/ttyUSB2"},
      {"COM4", "/dev/ttyUSB10"}, {"COM5", "/dev/ttyACM0"}, {"COM6", "/dev/ttyAMA0"},
      {"COM7", "/dev/rfcomm0"},  {"COM8", "/dev/ttyGS0"}};
  ASSERT_EQ(ports.size(), expected.size());
  for (std::size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].name, expected[i].first);
    EXPECT_EQ(ports[i].device, expected[i].second);
    EXPECT_FALSE(ports[i].userDefined);
  }
}

TEST_F(DetectedPorts, VirtualTtysAndPhantomUartsAreLeftOut) {
  AddTty("tty0", false);
  AddTty("console", false);
  AddTty("ttyS0", true, "4");  // a 16550A
  AddTty("ttyS1", true, "0");  // PORT_UNKNOWN: no UART behind it
  AddTty("ttyS2", true, "0");
  AddTty("ttyS3", true);         // no type attribute: cannot tell, keep it
  AddTty("ttyUSB0", true, "0");  // the type rule is the 8250's, not USB's
  EXPECT_EQ(ListComPortNames(Sources()), (Names{"COM1", "COM2", "COM3"}));
  EXPECT_EQ(ResolveComPort(2, Sources()), fs::path("/dev/ttyS3"));
  EXPECT_EQ(ResolveComPort(3, Sources()), fs::path("/dev/ttyUSB0"));
}

TEST_F(DetectedPorts, SkipNumbersThatUserDefinedPortsHold) {
  AddUserPort("COM1");
  AddUserPort("COM03");  // holds 3 although it resolves nothing
  AddUserPort("COM4");
  AddTty("ttyS0", true, "4");
  AddTty("ttyUSB0");
  AddTty("ttyACM0");
  EXPECT_EQ(ListComPortNames(Sources()), (Names{"COM1", "COM03", "COM4", "COM2", "COM5", "COM6"}));
  EXPECT_EQ(ResolveComPort(1, Sources()), PortsDir() / "COM1");
  EXPECT_EQ(ResolveComPort(2, Sources()), fs::path("/dev/ttyS0"));
  EXPECT_FALSE(ResolveComPort(3, Sources()).has_value());
  EXPECT_EQ(ResolveComPort(5, Sources()), fs::path("/dev/ttyUSB0"));
  EXPECT_EQ(ResolveComPort(6, Sources()), fs::path("/dev/ttyACM0"));
  EXPECT_FALSE(ResolveComPort(7, Sources()).has_value());
}

TEST_F(DetectedPorts, NonDeviceUserEntryDoesNotHoldItsNumber) {
  MakePortsDir();
  std::ofstream(PortsDir() / "COM1") << "stale";
  AddTty("ttyS0", true, "4");
  EXPECT_EQ(ListComPortNames(Sources()), Names{"COM1"});
  EXPECT_EQ(ResolveComPort(1, Sources()), fs::path("/dev/ttyS0"));
}

TEST_F(DetectedPorts, DeviceInASubdirectoryOfDev) {
  AddTty("usb!lp0");
  EXPECT_EQ(ResolveComPort(1, Sources()), fs::path("/dev/usb/lp0"));
}

using FreeComNumber = PortTree;

TEST_F(FreeComNumber, SkipsUserEntriesOfAnyKindAndDetectedPorts) {
  EXPECT_EQ(FirstFreeComNumber(Sources()), 1);
  AddUserPort("COM1");
  MakePortsDir();
  // A stale link is no port, but its name cannot be reused; ttyS0 takes
  // COM3, as COM02 holds 2.
  fs::create_symlink(PortsDir() / "gone", PortsDir() / "COM3");
  AddTty("ttyS0", true, "4");
  AddUserPort("COM02");
  EXPECT_EQ(ListComPortNames(Sources()), (Names{"COM1", "COM02", "COM3"}));
  EXPECT_EQ(FirstFreeComNumber(Sources()), 4);
  AddTty("ttyUSB0");  // becomes COM4
  EXPECT_EQ(FirstFreeComNumber(Sources()), 5);
}

}  // namespace
}  // namespace kx14
