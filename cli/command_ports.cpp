#include <ostream>

#include "cli/commands.h"
#include "files/json_text.h"
#include "device/port_choice.h"
#include "device/port_state.h"

namespace kx14::cli {

namespace {

// Every port, or with --port only the one it names.
std::vector<ComPort> PortsToList(const CommandContext& context) {
  if (!context.options.port) return ListComPorts(context.sources);
  const ChosenPort chosen = ChoosePort(context.options.port, context.sources);
  return {
      ComPort{chosen.name, chosen.device, chosen.device.parent_path() == context.sources.portsDir}};
}

}  // namespace

void RunPorts(const CommandContext& context) {
  const std::vector<ComPort> ports = PortsToList(context);
  Json listed = Json::array();
  for (const ComPort& port : ports) {
    const std::string state = DescribePortState(ProbePortState(port.device));
    const char* source = port.userDefined ? "own" : "detected";
    if (context.options.json) {
      listed.push_back({{"name", port.name},
                        {"device", port.device.string()},
                        {"source", source},
                        {"state", state}});
    } else if (!context.options.quiet) {
      context.out << port.name << "\t" << port.device.string() << "\t" << source << "\t" << state
                  << "\n";
    }
  }
  if (context.options.json) {
    context.out << JsonText({{"ports", std::move(listed)}});
  } else if (ports.empty() && !context.options.quiet) {
    context.out << "no ports found (" << PortTroubleHint("") << ")\n";
  }
}

}  // namespace kx14::cli
