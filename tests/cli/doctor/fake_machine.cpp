#include "fake_machine.h"

#include <sys/stat.h>

#include <fstream>

namespace kx14::testing {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

}  // namespace

FakeMachine::FakeMachine()
    : sys_(temp_.path() / "sys"),
      proc_(temp_.path() / "proc"),
      dev_(temp_.path() / "dev"),
      etc_(temp_.path() / "etc"),
      portsDir_(temp_.path() / "config" / "kx14-manager" / "ports") {
  for (const fs::path& dir : {sys_, proc_, dev_, etc_}) fs::create_directories(dir);
  // A link out of /dev stands in for a device node: stat() sees /dev/null.
  fs::create_symlink("/dev/null", temp_.path() / "chardev");
}

cli::DoctorRoots FakeMachine::Roots() const { return {sys_, proc_, dev_, etc_}; }

PortSources FakeMachine::Sources() const { return {portsDir_, sys_}; }

// As the kernel lays them out: a USB-serial converter's tty sits below its
// port device (device -> .../1-1:1.0/ttyUSB0); a CDC-ACM tty's device link
// is the interface itself (device -> .../1-1:1.0).
void FakeMachine::AddUsbAdapter(const FakeUsbAdapter& adapter) {
  const std::string usbPort = "1-" + std::to_string(++usbAdapters_);  // one per adapter
  const fs::path usbDevice = sys_ / "devices/pci0000:00/0000:00:14.0/usb1" / usbPort;
  const fs::path interface = usbDevice / (usbPort + ":1.0");
  fs::create_directories(usbDevice);
  fs::create_directories(sys_ / "bus" / "usb" / "devices");
  fs::create_directory_symlink(usbDevice, sys_ / "bus" / "usb" / "devices" / usbPort);
  WriteFile(usbDevice / "idVendor", adapter.vendor + "\n");
  WriteFile(usbDevice / "idProduct", adapter.product + "\n");
  WriteFile(usbDevice / "product", "USB Serial\n");
  if (!adapter.serial.empty()) WriteFile(usbDevice / "serial", adapter.serial + "\n");
  if (adapter.tty.empty()) return;
  const bool acm = adapter.tty.rfind("ttyACM", 0) == 0;
  const fs::path portDevice = acm ? interface : interface / adapter.tty;
  const fs::path ttyDir = portDevice / "tty" / adapter.tty;
  fs::create_directories(ttyDir);
  fs::create_directory_symlink(portDevice, ttyDir / "device");
  fs::create_directories(sys_ / "class" / "tty");
  fs::create_directory_symlink(ttyDir, sys_ / "class" / "tty" / adapter.tty);
  fs::create_symlink(temp_.path() / "chardev", dev_ / adapter.tty);
  if (adapter.byId.empty()) return;
  fs::create_directories(dev_ / "serial" / "by-id");
  fs::create_symlink("../../" + adapter.tty, dev_ / "serial" / "by-id" / adapter.byId);
}

void FakeMachine::AddProcess(int pid, const std::string& program,
                             const std::vector<std::string>& openFiles) {
  const fs::path dir = proc_ / std::to_string(pid);
  WriteFile(dir / "comm", program + "\n");
  fs::create_directories(dir / "fd");
  int fd = 0;
  for (const std::string& file : openFiles) {
    fs::create_symlink(file, dir / "fd" / std::to_string(fd++));
  }
}

void FakeMachine::SetSelf(uid_t uid, gid_t gid, const std::vector<gid_t>& groups) {
  std::string groupList;
  for (gid_t group : groups) groupList += std::to_string(group) + " ";
  WriteFile(proc_ / "self" / "status",
            "Name:\tkx14ctl\nUid:\t" + std::to_string(uid) + "\t" + std::to_string(uid) + "\t" +
                std::to_string(uid) + "\t" + std::to_string(uid) + "\nGid:\t" +
                std::to_string(gid) + "\t" + std::to_string(gid) + "\t" + std::to_string(gid) +
                "\t" + std::to_string(gid) + "\nGroups:\t" + groupList + "\n");
}

void FakeMachine::WriteEtc(const std::string& relative, const std::string& text) {
  WriteFile(etc_ / relative, text);
}

void FakeMachine::AddUserPort(const std::string& name, const std::string& target) {
  fs::create_directories(portsDir_);
  fs::create_symlink(target, portsDir_ / name);
}

fs::path FakeMachine::MakePlainFileNode(const std::string& relative, mode_t mode) {
  const fs::path node = dev_ / relative;
  fs::remove(node);
  WriteFile(node, "");
  ::chmod(node.c_str(), mode);
  return node;
}

}  // namespace kx14::testing
