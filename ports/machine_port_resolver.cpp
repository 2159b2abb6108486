#include "ports/com_ports.h"

namespace kx14 {

std::optional<std::filesystem::path> ResolveMachinePort(int portNo) {
  return ResolveComPort(portNo, DefaultPortSources());
}

}  // namespace kx14
