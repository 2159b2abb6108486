#pragma once

// Which ports a doctor run looks at.

#include <optional>
#include <string>
#include <vector>

#include "cli/doctor/check_result.h"
#include "cli/doctor/port_under_test.h"

namespace kx14::cli {

struct DoctorTargets {
  std::vector<PortUnderTest> ports;
  std::vector<CheckResult> general;  // no such port, no ports at all
};

// The named port: a device path (anything with a "/"), else a listed port
// whose name matches in any case, else an entry of the ports directory of
// that name that the list leaves out (a link whose adapter is gone). Without
// a name: every listed port, then those left-out entries.
DoctorTargets ChooseTargets(const DoctorContext& context, const std::optional<std::string>& port);

}  // namespace kx14::cli
