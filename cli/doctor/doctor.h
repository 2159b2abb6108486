#pragma once

// kx14ctl doctor: why a serial port does not work, and what to type to fix it.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "ports/com_ports.h"

namespace kx14::cli {

// The trees the checks read; tests point them at fake trees.
struct DoctorRoots {
  std::filesystem::path sys{"/sys"}, proc{"/proc"}, dev{"/dev"}, etc{"/etc"};
};

// Runs every check for the named port (a COM name in any case, or a device
// path; nullopt: every port of the list) and prints each as ok / warning /
// problem with its fix as a command; JSON when `json` (one document). True
// when no check found a problem.
bool RunDoctor(const DoctorRoots& roots, const PortSources& sources,
               const std::optional<std::string>& port, bool json, std::ostream& out);

}  // namespace kx14::cli
