#include <sys/stat.h>

#include "cli/doctor/checks.h"
#include "cli/doctor/device_path.h"
#include "cli/doctor/shell_quote.h"

namespace kx14::cli {
namespace {

constexpr const char* kListAdapters = "ls -l /dev/serial/by-id/";

const char* KindOf(mode_t mode) {
  if (S_ISREG(mode)) return "a regular file";
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISSOCK(mode)) return "a socket";
  return "a block device";
}

}  // namespace

CheckResult CheckDeviceNode(const DoctorContext&, const PortUnderTest& port) {
  const std::string device = port.device.string();
  struct stat info {};
  if (::stat(port.local.c_str(), &info) != 0) {
    std::string message = device + " does not exist: the adapter is unplugged";
    if (port.device != port.entry)
      message += ", or its name changed (" + port.entry.string() + " leads there)";
    return {"device", Verdict::kProblem, message, {kListAdapters}};
  }
  if (S_ISCHR(info.st_mode)) return {"device", Verdict::kOk, device + " is a character device", {}};
  CheckResult result{"device",
                     Verdict::kProblem,
                     device + " is " + KindOf(info.st_mode) + ", not a serial device",
                     {}};
  // `echo > /dev/ttyUSB0` as root while no adapter is plugged in leaves a
  // plain file that the kernel then cannot replace. (A plain file in the
  // ports directory is the user's own, and just not a port.)
  if (S_ISREG(info.st_mode) && IsUnder(port.device, "/dev")) {
    result.message += " (something wrote to it while no adapter was plugged in)";
    result.commands = {"sudo rm " + ShellQuote(device)};
  }
  return result;
}

}  // namespace kx14::cli
