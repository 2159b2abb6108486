#pragma once

// The names for a port list that must be ordered by number: the ports whose
// name gives a number, in that order, and apart from them the entries that
// were left out and why, so that one oddly named entry of the user ports
// directory costs only itself and the user can be told which it was.

#include <string>
#include <vector>

#include "ports/com_ports.h"

namespace kx14 {

struct SkippedPortName {
  std::string name;
  std::string reason;  // the conversion's message, "'<remainder>' は整数ではありません"
};

struct PortListNames {
  std::vector<std::string> names;        // ascending by number, equal numbers in source order
  std::vector<SkippedPortName> skipped;  // in source order
};

// ListComPortNames(sources) split by whether PortNameNumber converts the name;
// a list of a single name is returned as it is.
PortListNames ListPortNamesByNumber(const PortSources& sources);

}  // namespace kx14
