#pragma once

// The doctor's report for people (a table) and for programs (one JSON
// document).

#include <ostream>

#include "cli/doctor/check_result.h"

namespace kx14::cli {

void PrintReportText(const DoctorReport& report, std::ostream& out);
// {"ok": bool, "general": [check...], "ports": [{"port", "device",
//  "checks": [{"check", "result", "message", "commands": [...]}]}]}
void PrintReportJson(const DoctorReport& report, std::ostream& out);

}  // namespace kx14::cli
