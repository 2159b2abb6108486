#include "cli/doctor/checks.h"
#include "cli/doctor/shell_quote.h"

namespace kx14::cli {

CheckResult CheckHolders(const DoctorContext& context, const PortUnderTest& port) {
  const DeviceHolders found = FindHolders(context.roots.proc, context.processes, port.device);
  const std::string device = port.device.string();
  if (found.holders.empty()) {
    CheckResult result{"holders", Verdict::kOk, "no other process has " + device + " open", {}};
    // Without root the descriptors of other users' processes (ModemManager
    // runs as root) are hidden from us; fuser under sudo sees them.
    if (found.unreadable > 0) {
      result.message += " (of the processes we may look at)";
      result.commands = {"sudo fuser -v " + ShellQuote(device)};
    }
    return result;
  }
  CheckResult result{"holders", Verdict::kProblem, device + " is held by", {}};
  for (std::size_t i = 0; i < found.holders.size(); ++i) {
    const ProcessInfo& holder = found.holders[i];
    result.message +=
        (i == 0 ? " PID " : ", PID ") + std::to_string(holder.pid) + " (" + holder.program + ")";
    result.commands.push_back("kill " + std::to_string(holder.pid));
  }
  return result;
}

}  // namespace kx14::cli
