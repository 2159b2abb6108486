// kx14ctl doctor on Windows: its checks read Linux's /sys, /proc, /dev and
// /etc, so there is nothing to diagnose with here. A usage error: nothing is
// sent, and no check "found a problem" that a script could act on.
#include "cli/commands.h"
#include "files/exit_status.h"

namespace kx14::cli {

void RunDoctorCommand(const CommandContext&) {
  throw UsageFailure(
      "doctor diagnoses Linux ports only; on Windows, kx14ctl ports shows whether each port is "
      "free, busy or not accessible");
}

}  // namespace kx14::cli
