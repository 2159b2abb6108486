#include "ui/trackside/adapter_list.h"

#include "ui/trackside/trackside_texts.h"

namespace kx14::trackside {
namespace {

std::string HoldersText(const std::vector<cli::PortHolder>& holders) {
  if (holders.empty()) return Text(TText::PortPidUnknown);
  std::string text;
  for (const cli::PortHolder& holder : holders) {
    if (!text.empty()) text += ", ";
    text += holder.program + " (PID " + std::to_string(holder.pid) + ")";
  }
  return text;
}

}  // namespace

std::string PortStateText(const cli::PortState& state) {
  switch (state.kind) {
    case cli::PortState::Kind::Free:
      return Text(TText::PortFree);
    case cli::PortState::Kind::Busy:
      return Text(TText::PortBusy) + HoldersText(state.holders);
    case cli::PortState::Kind::NoAccess:
      return Text(TText::PortNoAccess);
    case cli::PortState::Kind::Missing:
      break;
  }
  return Text(TText::PortMissing);
}

std::vector<AdapterRow> ListAdapters(const PortSources& sources,
                                     const std::set<std::string>& chosen) {
  std::vector<AdapterRow> rows;
  std::set<std::string> listed;
  for (const ComPort& port : ListComPorts(sources)) {
    if (!listed.insert(port.name).second) continue;
    rows.push_back(
        {port.name, PortStateText(cli::ProbePortState(port.device)), chosen.contains(port.name)});
  }
  for (const std::string& port : chosen) {
    if (!listed.contains(port)) rows.push_back({port, Text(TText::PortMissing), true});
  }
  return rows;
}

}  // namespace kx14::trackside
