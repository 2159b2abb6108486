#include "device/port_choice.h"

#include <algorithm>
#include <cctype>

#include "files/exit_status.h"

namespace kx14::cli {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

bool LooksLikePath(const std::string& port) {
  return port.find('/') != std::string::npos || port.find('\\') != std::string::npos;
}

}  // namespace

std::string PortNamesList(const PortSources& sources) {
  std::string names;
  for (const ComPort& port : ListComPorts(sources)) names += (names.empty() ? "" : " ") + port.name;
  return names.empty() ? "none found" : names;
}

ChosenPort ChoosePort(const std::optional<std::string>& port, const PortSources& sources) {
  if (!port) {
    throw UsageFailure("no --port given; ports: " + PortNamesList(sources));
  }
  if (LooksLikePath(*port)) return {*port, *port};
  for (const ComPort& listed : ListComPorts(sources)) {
    if (SameName(listed.name, *port)) return {listed.name, listed.device};
  }
  throw CliFailure(TExitStatus::PortUnavailable,
                   "no port " + *port + "; ports: " + PortNamesList(sources));
}

}  // namespace kx14::cli
