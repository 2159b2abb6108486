#include "cli/doctor/doctor_report.h"

#include <cstdio>
#include <iomanip>

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

// A JSON string: quotes, backslashes and control characters escaped; other
// bytes pass as they are (names and paths are UTF-8 or plain bytes).
std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

void PrintCheckJson(const CheckResult& check, std::ostream& out) {
  out << "{\"check\":" << JsonString(check.check) << ",\"result\":\"" << VerdictName(check.verdict)
      << "\",\"message\":" << JsonString(check.message) << ",\"commands\":[";
  for (std::size_t i = 0; i < check.commands.size(); ++i) {
    out << (i == 0 ? "" : ",") << JsonString(check.commands[i]);
  }
  out << "]}";
}

void PrintChecksJson(const std::vector<CheckResult>& checks, std::ostream& out) {
  out << '[';
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (i != 0) out << ',';
    PrintCheckJson(checks[i], out);
  }
  out << ']';
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
  out << "{\"ok\":" << (HasProblem(report) ? "false" : "true") << ",\"general\":";
  PrintChecksJson(report.general, out);
  out << ",\"ports\":[";
  for (std::size_t i = 0; i < report.ports.size(); ++i) {
    const PortReport& port = report.ports[i];
    out << (i == 0 ? "" : ",") << "{\"port\":" << JsonString(port.port)
        << ",\"device\":" << JsonString(port.device) << ",\"checks\":";
    PrintChecksJson(port.checks, out);
    out << '}';
  }
  out << "]}\n";
}

}  // namespace kx14::cli
