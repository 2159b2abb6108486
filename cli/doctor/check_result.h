#pragma once

// What one check found, and the report that collects the checks.

#include <string>
#include <vector>

namespace kx14::cli {

enum class Verdict { kOk, kWarning, kProblem };

struct CheckResult {
  std::string check;  // short id: "device", "access", "holders", ...
  Verdict verdict = Verdict::kOk;
  std::string message;                // one sentence for people
  std::vector<std::string> commands;  // the fix (or, for an ok line, the advice), to type as is
  friend bool operator==(const CheckResult&, const CheckResult&) = default;
};

struct PortReport {
  std::string port;    // the COM name, or the device path as given
  std::string device;  // what the name resolves to, in the machine's terms
  std::vector<CheckResult> checks;
};

struct DoctorReport {
  std::vector<CheckResult> general;  // findings not tied to one port
  std::vector<PortReport> ports;
};

bool HasProblem(const DoctorReport& report);
const char* VerdictName(Verdict verdict);  // "ok", "warning", "problem"

}  // namespace kx14::cli
