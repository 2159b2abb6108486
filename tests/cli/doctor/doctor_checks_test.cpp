// Each check of the doctor on fake machines.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <string>

#include "cli/doctor/checks.h"
#include "fake_machine.h"

namespace kx14::cli {
namespace {

using testing::FakeMachine;
using testing::FakeUsbAdapter;
using Commands = std::vector<std::string>;

constexpr const char* kCh340ById = "usb-1a86_USB_Serial-if00-port0";

class Doctor : public ::testing::Test {
 protected:
  DoctorContext Context() const {
    return {machine_.Roots(), machine_.Sources(), ListProcesses(machine_.Roots().proc)};
  }
  PortUnderTest Port(const std::string& name, const std::string& entry) const {
    return ExaminePort(Context(), name, entry, false);
  }

  FakeMachine machine_;
};

// Who may open a device node of mode `mode` owned by us (the test's user and
// group), for a process with the credentials of the row.
struct AccessCase {
  const char* name;
  mode_t mode;
  bool selfOwns;         // the process runs as the node's owner
  bool root;             // the process runs as root
  bool inProcessGroups;  // the node's group is among the process's groups
  bool inEtcGroup;       // /etc/group lists the user in the node's group
  Verdict verdict;
  Commands commands;
};

class Access : public Doctor, public ::testing::WithParamInterface<AccessCase> {};

TEST_P(Access, FollowsTheKernelsPermissionClasses) {
  const AccessCase& c = GetParam();
  machine_.AddUsbAdapter({.tty = "ttyUSB0"});
  constexpr uid_t kAlice = 4242;
  constexpr gid_t kAliceGroup = 4243;
  const auto file = machine_.MakePlainFileNode("ttyUSB0", c.mode);
  struct stat node {};
  ASSERT_EQ(::stat(file.c_str(), &node), 0);
  // Run as root, the test gives the node to an ordinary owner: root's own
  // node would be root's case.
  if (c.selfOwns && node.st_uid == 0) {
    ASSERT_EQ(::chown(file.c_str(), kAlice, node.st_gid), 0);
    node.st_uid = kAlice;
  }
  const uid_t uid = c.root ? 0 : c.selfOwns ? node.st_uid : kAlice;
  std::vector<gid_t> groups{kAliceGroup};
  if (c.inProcessGroups) groups.push_back(node.st_gid);
  machine_.SetSelf(uid, kAliceGroup, groups);
  machine_.WriteEtc("passwd", "alice:x:" + std::to_string(uid) + ":4243::/home/alice:/bin/sh\n");
  machine_.WriteEtc("group", "alice:x:4243:\ndialout:x:" + std::to_string(node.st_gid) + ":" +
                                 (c.inEtcGroup ? "bob,alice" : "bob") + "\n");

  const CheckResult result = CheckAccess(Context(), Port("COM1", "/dev/ttyUSB0"));
  EXPECT_EQ(result.verdict, c.verdict) << result.message;
  EXPECT_EQ(result.commands, c.commands) << result.message;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Access,
    ::testing::Values(AccessCase{"groupMember", 0660, false, false, true, true, Verdict::kOk, {}},
                      AccessCase{"everyone", 0666, false, false, false, false, Verdict::kOk, {}},
                      AccessCase{"root", 0600, false, true, false, false, Verdict::kOk, {}},
                      AccessCase{"notInGroup",
                                 0660,
                                 false,
                                 false,
                                 false,
                                 false,
                                 Verdict::kProblem,
                                 {"sudo usermod -aG dialout alice"}},
                      AccessCase{"inGroupFromNextLogin",
                                 0660,
                                 false,
                                 false,
                                 false,
                                 true,
                                 Verdict::kProblem,
                                 {"newgrp dialout"}},
                      AccessCase{"readOnlyGroup",
                                 0640,
                                 false,
                                 false,
                                 true,
                                 true,
                                 Verdict::kProblem,
                                 {"sudo setfacl -m u:alice:rw /dev/ttyUSB0"}},
                      // The owner's bits alone count for the owner, whatever the group may.
                      AccessCase{"ownerShutOut",
                                 0066,
                                 true,
                                 false,
                                 true,
                                 true,
                                 Verdict::kProblem,
                                 {"sudo setfacl -m u:alice:rw /dev/ttyUSB0"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Doctor, NamesTheProcessesThatHoldThePort) {
  machine_.AddUsbAdapter({.tty = "ttyUSB0"});
  machine_.AddProcess(1234, "minicom", {"/dev/pts/1", "/dev/ttyUSB0"});
  machine_.AddProcess(2000, "screen", {"/dev/ttyUSB1"});
  machine_.AddProcess(77, "kx14-manager", {"/dev/ttyUSB0"});

  const CheckResult held = CheckHolders(Context(), Port("COM1", "/dev/ttyUSB0"));
  EXPECT_EQ(held.verdict, Verdict::kProblem);
  EXPECT_EQ(held.message, "/dev/ttyUSB0 is held by PID 77 (kx14-manager), PID 1234 (minicom)");
  EXPECT_EQ(held.commands, (Commands{"kill 77", "kill 1234"}));

  const CheckResult terminal = CheckHolders(Context(), Port("COM2", "/dev/pts/1"));
  EXPECT_EQ(terminal.verdict, Verdict::kProblem);  // minicom's terminal
  EXPECT_EQ(CheckHolders(Context(), Port("COM3", "/dev/ttyUSB2")).verdict, Verdict::kOk);
}

TEST_F(Doctor, UsbIdentityFromSysfsAndThePinCommand) {
  machine_.AddUsbAdapter({.tty = "ttyUSB0", .byId = kCh340ById});
  const PortUnderTest port = Port("COM1", "/dev/ttyUSB0");
  ASSERT_TRUE(port.usb.has_value());
  const std::optional<CheckResult> usb = CheckUsbIdentity(Context(), port);
  ASSERT_TRUE(usb.has_value());
  EXPECT_EQ(usb->verdict, Verdict::kOk);
  EXPECT_NE(usb->message.find("USB adapter 1a86:7523 (USB Serial), no serial number"),
            std::string::npos)
      << usb->message;
  const std::string portsDir = machine_.PortsDir().string();
  EXPECT_EQ(usb->commands,
            (Commands{"mkdir -p " + portsDir, "ln -s /dev/serial/by-id/" + std::string(kCh340ById) +
                                                  " " + portsDir + "/COM1"}));
}

TEST_F(Doctor, CdcAcmDeviceAndAPortAlreadyPinnedThroughById) {
  machine_.AddUsbAdapter(
      {.tty = "ttyACM0", .vendor = "2341", .product = "0043", .serial = "A1", .byId = "usb-A1"});
  machine_.AddUserPort("COM5", "/dev/serial/by-id/usb-A1");
  const PortUnderTest port =
      ExaminePort(Context(), "COM5", machine_.PortsDir() / "COM5", /*userDefined=*/true);
  EXPECT_EQ(port.device, "/dev/ttyACM0");
  ASSERT_TRUE(port.usb.has_value());
  EXPECT_EQ(port.usb->serial, "A1");
  const std::optional<CheckResult> usb = CheckUsbIdentity(Context(), port);
  ASSERT_TRUE(usb.has_value());
  EXPECT_NE(usb->message.find("pinned to COM5 through /dev/serial/by-id/usb-A1"), std::string::npos)
      << usb->message;
  EXPECT_TRUE(usb->commands.empty());
}

struct ModemManagerCase {
  const char* name;
  const char* tty;
  bool running;
  bool ruleInstalled;
  std::optional<Verdict> verdict;  // nothing: the check does not apply
};

class ModemManager : public Doctor, public ::testing::WithParamInterface<ModemManagerCase> {};

TEST_P(ModemManager, WarnsForTtyAcmUnlessTheIgnoreRuleIsThere) {
  const ModemManagerCase& c = GetParam();
  machine_.AddUsbAdapter({.tty = c.tty, .vendor = "2341", .product = "0043"});
  machine_.AddProcess(1, "systemd");
  if (c.running) machine_.AddProcess(612, "ModemManager");
  if (c.ruleInstalled) {
    machine_.WriteEtc("udev/rules.d/50-arduino.rules",
                      "ATTRS{idVendor}==\"2341\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n");
  }
  const auto result = CheckModemManager(Context(), Port("COM1", std::string("/dev/") + c.tty));
  ASSERT_EQ(result.has_value(), c.verdict.has_value());
  if (!result) return;
  EXPECT_EQ(result->verdict, *c.verdict) << result->message;
  if (result->verdict != Verdict::kWarning) return;
  EXPECT_EQ(result->commands,
            (Commands{"echo 'ATTRS{idVendor}==\"2341\", ATTRS{idProduct}==\"0043\", "
                      "ENV{ID_MM_DEVICE_IGNORE}=\"1\"' | sudo tee "
                      "/etc/udev/rules.d/99-kx14-modemmanager-ignore.rules",
                      "sudo udevadm control --reload-rules",
                      "sudo udevadm trigger --subsystem-match=tty"}));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModemManager,
    ::testing::Values(ModemManagerCase{"acmProbed", "ttyACM0", true, false, Verdict::kWarning},
                      ModemManagerCase{"acmIgnored", "ttyACM0", true, true, Verdict::kOk},
                      ModemManagerCase{"notRunning", "ttyACM0", false, false, Verdict::kOk},
                      ModemManagerCase{"notAcm", "ttyUSB0", true, false, std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

struct BrlttyCase {
  const char* name;
  const char* product;
  const char* brlttyFile;  // under /etc; nullptr: not installed
  std::optional<Verdict> verdict;
};

class Brltty : public Doctor, public ::testing::WithParamInterface<BrlttyCase> {};

TEST_P(Brltty, WarnsOnlyForACh34xWhileItIsInstalled) {
  const BrlttyCase& c = GetParam();
  machine_.AddUsbAdapter({.tty = "ttyUSB0", .product = c.product});
  if (c.brlttyFile != nullptr) machine_.WriteEtc(c.brlttyFile, "");
  const auto result = CheckBrltty(Context(), Port("COM1", "/dev/ttyUSB0"));
  ASSERT_EQ(result.has_value(), c.verdict.has_value());
  if (!result) return;
  EXPECT_EQ(result->verdict, *c.verdict) << result->message;
  EXPECT_EQ(result->commands,
            result->verdict == Verdict::kWarning ? Commands{"sudo apt remove brltty"} : Commands{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, Brltty,
    ::testing::Values(BrlttyCase{"ch340Conf", "7523", "brltty.conf", Verdict::kWarning},
                      BrlttyCase{"ch341Folder", "5523", "brltty/keep", Verdict::kWarning},
                      BrlttyCase{"ch340Without", "7523", nullptr, Verdict::kOk},
                      BrlttyCase{"otherQinHeng", "55d4", "brltty.conf", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(Doctor, DeviceNodeMissingOrAPlainFile) {
  machine_.AddUserPort("COM7", "/dev/serial/by-id/usb-gone");
  const CheckResult missing = CheckDeviceNode(
      Context(), ExaminePort(Context(), "COM7", machine_.PortsDir() / "COM7", true));
  EXPECT_EQ(missing.verdict, Verdict::kProblem);
  EXPECT_NE(missing.message.find("/dev/serial/by-id/usb-gone does not exist"), std::string::npos);

  machine_.AddUsbAdapter({.tty = "ttyUSB0"});
  EXPECT_EQ(CheckDeviceNode(Context(), Port("COM1", "/dev/ttyUSB0")).verdict, Verdict::kOk);
  machine_.MakePlainFileNode("ttyUSB0", 0644);
  const CheckResult plain = CheckDeviceNode(Context(), Port("COM1", "/dev/ttyUSB0"));
  EXPECT_EQ(plain.verdict, Verdict::kProblem);
  EXPECT_EQ(plain.commands, Commands{"sudo rm /dev/ttyUSB0"});

  std::ofstream(machine_.PortsDir() / "notes.txt") << "COM7 is the blue car\n";
  const CheckResult notes = CheckDeviceNode(
      Context(), ExaminePort(Context(), "notes.txt", machine_.PortsDir() / "notes.txt", true));
  EXPECT_EQ(notes.verdict, Verdict::kProblem);
  EXPECT_TRUE(notes.commands.empty()) << notes.commands.front();
}

}  // namespace
}  // namespace kx14::cli
