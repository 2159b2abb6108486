#pragma once

// One port as the checks see it, and what the checks of a run share.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/doctor/doctor.h"
#include "cli/doctor/processes.h"
#include "cli/doctor/usb_identity.h"

namespace kx14::cli {

struct PortUnderTest {
  std::string name;             // "COM3", or the device path as given
  std::filesystem::path entry;  // what opening the port opens, before links are followed
  bool userDefined = false;     // an entry of the ports directory
  // Where the links of `entry` lead, in the machine's terms (/dev/ttyUSB0),
  // and the same path under the injected roots (what the checks look at).
  std::filesystem::path device;
  std::filesystem::path local;
  // A /dev/serial/by-id link on the way from entry to device: the port is
  // pinned to the adapter, whatever number the kernel gives it.
  std::optional<std::filesystem::path> byIdLink;
  std::optional<UsbIdentity> usb;  // the USB adapter behind the tty, if any
};

struct DoctorContext {
  DoctorRoots roots;
  PortSources sources;
  std::vector<ProcessInfo> processes;  // listed once per run
};

}  // namespace kx14::cli

namespace kx14::cli {

// Follows the links of `entry` and reads the USB identity behind the device.
PortUnderTest ExaminePort(const DoctorContext& context, std::string name,
                          std::filesystem::path entry, bool userDefined);

}  // namespace kx14::cli
