#include "cli/doctor/doctor.h"

#include "cli/doctor/doctor_report.h"
#include "cli/doctor/doctor_targets.h"
#include "cli/doctor/checks.h"

namespace kx14::cli {
namespace {

void AddIfApplies(std::optional<CheckResult> check, std::vector<CheckResult>& checks) {
  if (check) checks.push_back(std::move(*check));
}

// A missing device leaves nothing else to look at.
std::vector<CheckResult> CheckPort(const DoctorContext& context, const PortUnderTest& port) {
  std::vector<CheckResult> checks{CheckDeviceNode(context, port)};
  if (checks.front().verdict != Verdict::kOk) return checks;
  checks.push_back(CheckAccess(context, port));
  checks.push_back(CheckHolders(context, port));
  AddIfApplies(CheckUsbIdentity(context, port), checks);
  AddIfApplies(CheckModemManager(context, port), checks);
  AddIfApplies(CheckBrltty(context, port), checks);
  return checks;
}

DoctorReport Diagnose(const DoctorRoots& roots, const PortSources& sources,
                      const std::optional<std::string>& port) {
  const DoctorContext context{roots, sources, ListProcesses(roots.proc)};
  DoctorTargets targets = ChooseTargets(context, port);
  DoctorReport report{std::move(targets.general), {}};
  AddIfApplies(CheckCh34xWithoutPort(context), report.general);
  for (const PortUnderTest& target : targets.ports) {
    report.ports.push_back({target.name, target.device.string(), CheckPort(context, target)});
  }
  return report;
}

}  // namespace

bool RunDoctor(const DoctorRoots& roots, const PortSources& sources,
               const std::optional<std::string>& port, bool json, std::ostream& out) {
  const DoctorReport report = Diagnose(roots, sources, port);
  if (json) {
    PrintReportJson(report, out);
  } else {
    PrintReportText(report, out);
  }
  return !HasProblem(report);
}

}  // namespace kx14::cli
