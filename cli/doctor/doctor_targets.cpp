#include "cli/doctor/doctor_targets.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace kx14::cli {
namespace {

namespace fs = std::filesystem;

bool SameNameAnyCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Entries of the ports directory that the list leaves out: links whose
// device is gone, and anything else that is not a character device.
std::vector<std::string> UnlistedEntries(const DoctorContext& context,
                                         const std::vector<ComPort>& listed) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(context.sources.portsDir, error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    const bool isListed = std::any_of(listed.begin(), listed.end(), [&](const ComPort& port) {
      return port.userDefined && port.name == name;
    });
    if (!isListed) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ListedNames(const std::vector<ComPort>& listed) {
  std::string names;
  for (const ComPort& port : listed) names += (names.empty() ? "" : ", ") + port.name;
  return names.empty() ? "none" : names;
}

void AddNamedPort(const DoctorContext& context, const std::string& wanted,
                  const std::vector<ComPort>& listed, DoctorTargets& targets) {
  for (const ComPort& port : listed) {
    if (!SameNameAnyCase(port.name, wanted)) continue;
    targets.ports.push_back(ExaminePort(context, port.name, port.device, port.userDefined));
    return;
  }
  for (const std::string& name : UnlistedEntries(context, listed)) {
    if (!SameNameAnyCase(name, wanted)) continue;
    targets.ports.push_back(ExaminePort(context, name, context.sources.portsDir / name, true));
    return;
  }
  targets.general.push_back({"port",
                             Verdict::kProblem,
                             "no port named " + wanted + "; the ports: " + ListedNames(listed),
                             {"ls -l /dev/serial/by-id/"}});
}

void AddEveryPort(const DoctorContext& context, const std::vector<ComPort>& listed,
                  DoctorTargets& targets) {
  for (const ComPort& port : listed) {
    targets.ports.push_back(ExaminePort(context, port.name, port.device, port.userDefined));
  }
  for (const std::string& name : UnlistedEntries(context, listed)) {
    targets.ports.push_back(ExaminePort(context, name, context.sources.portsDir / name, true));
  }
  if (targets.ports.empty()) {
    targets.general.push_back({"port",
                               Verdict::kWarning,
                               "no serial ports found: is the adapter plugged in?",
                               {"ls -l /dev/serial/by-id/"}});
  }
}

}  // namespace

DoctorTargets ChooseTargets(const DoctorContext& context, const std::optional<std::string>& port) {
  DoctorTargets targets;
  if (port && port->find('/') != std::string::npos) {
    targets.ports.push_back(ExaminePort(context, *port, *port, false));
    return targets;
  }
  const std::vector<ComPort> listed = ListComPorts(context.sources);
  if (port) {
    AddNamedPort(context, *port, listed, targets);
  } else {
    AddEveryPort(context, listed, targets);
  }
  return targets;
}

}  // namespace kx14::cli
