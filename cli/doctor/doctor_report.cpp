#include "cli/doctor/doctor_report.h"

#include <iomanip>

#include "files/json_text.h"

namespace kx14::cli {
namespace {

void PrintCheckText(const CheckResult& check, std::ostream& out) {
  out << "  " << std::left << std::setw(9) << VerdictName(check.verdict) << std::setw(14)
      << check.check << check.message << '\n';
  for (const std::string& command : check.commands) {
    out << std::string(25, ' ') << "$ " << command << '\n';
  }
}

std::string Counted(int count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

void CountVerdicts(const std::vector<CheckResult>& checks, int& problems, int& warnings) {
  for (const CheckResult& check : checks) {
    problems += check.verdict == Verdict::kProblem;
    warnings += check.verdict == Verdict::kWarning;
  }
}

Json ChecksJson(const std::vector<CheckResult>& checks) {
  Json list = Json::array();
  for (const CheckResult& check : checks) {
    list.push_back({{"check", check.check},
                    {"result", VerdictName(check.verdict)},
                    {"message", check.message},
                    {"commands", check.commands}});
  }
  return list;
}

}  // namespace

void PrintReportText(const DoctorReport& report, std::ostream& out) {
  int problems = 0, warnings = 0;
  for (const CheckResult& check : report.general) PrintCheckText(check, out);
  CountVerdicts(report.general, problems, warnings);
  for (const PortReport& port : report.ports) {
    out << port.port << (port.device == port.port ? "" : " (" + port.device + ")") << '\n';
    for (const CheckResult& check : port.checks) PrintCheckText(check, out);
    CountVerdicts(port.checks, problems, warnings);
  }
  out << "doctor: " << Counted(problems, "problem") << ", " << Counted(warnings, "warning") << '\n';
}

void PrintReportJson(const DoctorReport& report, std::ostream& out) {
  Json ports = Json::array();
  for (const PortReport& port : report.ports) {
    ports.push_back(
        {{"port", port.port}, {"device", port.device}, {"checks", ChecksJson(port.checks)}});
  }
  out << JsonText({{"ok", !HasProblem(report)},
                   {"general", ChecksJson(report.general)},
                   {"ports", std::move(ports)}},
                  -1);
}

}  // namespace kx14::cli
