// kx14ctl doctor on Linux: the checks of cli/doctor on this machine's trees.
#include "cli/commands.h"
#include "cli/doctor/doctor.h"
#include "files/exit_status.h"

namespace kx14::cli {

void RunDoctorCommand(const CommandContext& context) {
  if (!RunDoctor(DoctorRoots{}, context.sources, context.options.port, context.options.json,
                 context.out)) {
    throw CliFailure(TExitStatus::DeviceFailed, "doctor found a problem; see the fixes above");
  }
}

}  // namespace kx14::cli
