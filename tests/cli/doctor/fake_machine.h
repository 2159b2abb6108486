#pragma once

// A machine of our own making for the doctor: /sys, /proc, /dev and /etc
// trees and a ports directory under one temporary folder, built in the shape
// the kernel and udev give them.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/doctor/doctor.h"
#include "temp_dir.h"

namespace kx14::testing {

struct FakeUsbAdapter {
  // "ttyUSB0" (a USB-serial converter), "ttyACM0" (a CDC-ACM device), or
  // empty: no driver has made a tty of it.
  std::string tty{};
  std::string vendor = "1a86", product = "7523", serial{};
  std::string byId{};  // the /dev/serial/by-id name; empty: none
};

class FakeMachine {
 public:
  FakeMachine();

  cli::DoctorRoots Roots() const;
  PortSources Sources() const;
  const std::filesystem::path& PortsDir() const { return portsDir_; }

  // The sysfs tree of a USB adapter, its /dev node (a link to /dev/null, a
  // real character device) and its by-id link.
  void AddUsbAdapter(const FakeUsbAdapter& adapter);
  // A process with the given descriptors open (machine paths).
  void AddProcess(int pid, const std::string& program,
                  const std::vector<std::string>& openFiles = {});
  // <proc>/self/status with these credentials.
  void SetSelf(uid_t uid, gid_t gid, const std::vector<gid_t>& groups);
  // Writes a file under the /etc root.
  void WriteEtc(const std::string& relative, const std::string& text);
  // A user-defined port linking to `target` (a machine path).
  void AddUserPort(const std::string& name, const std::string& target);
  // Replaces a /dev node with a regular file of that mode (owned by us).
  std::filesystem::path MakePlainFileNode(const std::string& relative, mode_t mode);

 private:
  TempDir temp_;
  std::filesystem::path sys_, proc_, dev_, etc_, portsDir_;
  int usbAdapters_ = 0;
};

}  // namespace kx14::testing
