#pragma once

// The adapters the window offers: the machine's serial ports, each with
// whether it can be opened now, and whether the user chose it.

#include <set>
#include <string>
#include <vector>

#include "device/port_state.h"
#include "ports/com_ports.h"

namespace kx14::trackside {

struct AdapterRow {
  std::string port;   // the listed name
  std::string state;  // free, busy with its holders, no access, not connected
  bool chosen = false;
  friend bool operator==(const AdapterRow&, const AdapterRow&) = default;
};

// The ports listed now, in the port list's order, then the chosen ones that
// are not listed now (an adapter unplugged for a moment stays chosen; the
// race waits for it).
std::vector<AdapterRow> ListAdapters(const PortSources& sources,
                                     const std::set<std::string>& chosen);

// The state in the window's words: "空き", "使用中: minicom (PID 42)", ...
std::string PortStateText(const cli::PortState& state);

}  // namespace kx14::trackside
