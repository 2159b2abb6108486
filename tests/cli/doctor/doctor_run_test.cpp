// RunDoctor as kx14ctl calls it: which ports, the printed report, the verdict.

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
#include <string>

#include "cli/doctor/doctor.h"
#include "fake_machine.h"

namespace kx14::cli {
namespace {

using testing::FakeMachine;

class DoctorRun : public ::testing::Test {
 protected:
  // A CH340 on ttyUSB0 (detected: COM1) that this user may open.
  DoctorRun() {
    machine_.AddUsbAdapter({.tty = "ttyUSB0", .byId = "usb-1a86_USB_Serial-if00-port0"});
    machine_.SetSelf(::getuid(), ::getgid(), {});
  }

  bool Run(const std::optional<std::string>& port, bool json = false) {
    out_.str("");
    return RunDoctor(machine_.Roots(), machine_.Sources(), port, json, out_);
  }
  std::string Out() const { return out_.str(); }

  FakeMachine machine_;
  std::ostringstream out_;
};

TEST_F(DoctorRun, WarningsPassAProblemFails) {
  machine_.WriteEtc("brltty.conf", "");
  EXPECT_TRUE(Run(std::nullopt)) << Out();
  EXPECT_NE(Out().find("COM1 (/dev/ttyUSB0)\n  ok       device"), std::string::npos) << Out();
  EXPECT_NE(Out().find("  warning  brltty"), std::string::npos) << Out();
  EXPECT_NE(Out().find("$ sudo apt remove brltty\n"), std::string::npos) << Out();
  EXPECT_NE(Out().find("doctor: 0 problems, 1 warning\n"), std::string::npos) << Out();

  machine_.AddProcess(4321, "minicom", {"/dev/ttyUSB0"});
  EXPECT_FALSE(Run(std::nullopt)) << Out();
  EXPECT_NE(Out().find("  problem  holders       /dev/ttyUSB0 is held by PID 4321 (minicom)\n"
                       "                         $ kill 4321\n"),
            std::string::npos)
      << Out();
}

TEST_F(DoctorRun, NamedPortInAnyCaseByDevicePathOrUnknown) {
  machine_.AddUsbAdapter({.tty = "ttyUSB1", .product = "6001"});
  EXPECT_TRUE(Run("com2"));
  EXPECT_EQ(Out().rfind("COM2 (/dev/ttyUSB1)\n", 0), 0u) << Out();
  EXPECT_EQ(Out().find("COM1"), std::string::npos) << Out();

  EXPECT_TRUE(Run("/dev/ttyUSB0"));
  EXPECT_EQ(Out().rfind("/dev/ttyUSB0\n", 0), 0u) << Out();

  EXPECT_FALSE(Run("COM9"));
  EXPECT_NE(Out().find("no port named COM9; the ports: COM1, COM2"), std::string::npos) << Out();
}

// brltty's claim leaves the adapter on USB without a tty: no port to check.
TEST_F(DoctorRun, Ch34xWithoutItsPortIsAProblemWhileBrlttyIsInstalled) {
  machine_.AddUsbAdapter({.tty = "", .product = "5523"});
  machine_.AddUsbAdapter({.tty = "", .vendor = "0403", .product = "6001"});
  EXPECT_TRUE(Run("COM1")) << Out();
  machine_.WriteEtc("brltty.conf", "");
  EXPECT_FALSE(Run("COM1"));
  EXPECT_NE(Out().find("a CH340/CH341 adapter is plugged in (USB 1-2) but has no serial port"),
            std::string::npos)
      << Out();
}

TEST_F(DoctorRun, JsonIsOneDocumentWithNamesEscaped) {
  FakeMachine machine;  // no adapter: only a dangling entry with an awkward name
  machine.AddUserPort("my \"port\"\\", "/dev/gone");
  std::ostringstream out;
  EXPECT_FALSE(RunDoctor(machine.Roots(), machine.Sources(), std::nullopt, true, out));
  const std::string entry = (machine.PortsDir() / "my \\\"port\\\"\\\\").string();
  EXPECT_EQ(out.str(),
            "{\"ok\":false,\"general\":[],\"ports\":[{\"port\":\"my \\\"port\\\"\\\\\","
            "\"device\":\"/dev/gone\",\"checks\":[{\"check\":\"device\",\"result\":\"problem\","
            "\"message\":\"/dev/gone does not exist: the adapter is unplugged, or its name "
            "changed (" +
                entry + " leads there)\",\"commands\":[\"ls -l /dev/serial/by-id/\"]}]}]}\n");
}

}  // namespace
}  // namespace kx14::cli
