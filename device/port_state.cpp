#include "device/port_state.h"

namespace kx14::cli {

std::string DescribePortState(const PortState& state) {
  switch (state.kind) {
    case PortState::Kind::Free:
      return "free";
    case PortState::Kind::NoAccess:
      return "no access";
    case PortState::Kind::Missing:
      return "missing";
    case PortState::Kind::Busy:
      break;
  }
  // Windows cannot tell which process holds a port.
  if (state.holders.empty()) return "busy: held by another program (its PID is not known here)";
  std::string text = "busy: held by";
  for (const PortHolder& holder : state.holders) {
    text += (&holder == &state.holders.front() ? " PID " : ", PID ") + std::to_string(holder.pid) +
            " (" + holder.program + ")";
  }
  return text;
}

}  // namespace kx14::cli
