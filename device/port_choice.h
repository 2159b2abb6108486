#pragma once

// The port a command talks to, from --port: a name from the port list (any
// letter case) or a device path.

#include <filesystem>
#include <optional>
#include <string>

#include "ports/com_ports.h"

namespace kx14::cli {

struct ChosenPort {
  std::string name;  // as listed ("COM3"), or the path given
  std::filesystem::path device;
};

// Without --port: a usage failure that lists the ports. A name not in the
// list: a port failure (exit 3) that lists them.
ChosenPort ChoosePort(const std::optional<std::string>& port, const PortSources& sources);

// "COM1 COM3", or "none found".
std::string PortNamesList(const PortSources& sources);

}  // namespace kx14::cli
