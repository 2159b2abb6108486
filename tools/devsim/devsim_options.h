#pragma once

// The simulator's command line.

#include <optional>
#include <string>
#include <vector>

#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"
#include "tools/devsim/device_responder.h"

namespace kx14::devsim {

struct DevsimOptions {
  std::optional<int> comNumber;  // --com N; else the first free number
  BlockBytes block = kWorkedExampleBlock;
  Behaviour behaviour;
  long paceBaud = 0;    // 0: bytes leave at once
  std::string logFile;  // empty: stdout only
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name; "--name value" and
// "--name=value" both work. Throws std::invalid_argument for anything it does
// not know or cannot read.
DevsimOptions ParseDevsimOptions(const std::vector<std::string>& args);

std::string DevsimUsage();

}  // namespace kx14::devsim
