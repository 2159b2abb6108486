#include "cli/doctor/check_result.h"

#include <algorithm>

namespace kx14::cli {
namespace {

bool AnyProblem(const std::vector<CheckResult>& checks) {
  return std::any_of(checks.begin(), checks.end(),
                     [](const CheckResult& c) { return c.verdict == Verdict::kProblem; });
}

}  // namespace

bool HasProblem(const DoctorReport& report) {
  return AnyProblem(report.general) ||
         std::any_of(report.ports.begin(), report.ports.end(),
                     [](const PortReport& port) { return AnyProblem(port.checks); });
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kOk:
      return "ok";
    case Verdict::kWarning:
      return "warning";
    case Verdict::kProblem:
      return "problem";
  }
  return "problem";
}

}  // namespace kx14::cli
