#pragma once

// Control commands: lines on the simulator's standard input that change its
// behaviour while it runs, so a test can make a working device misbehave
// between two exchanges without restarting it (and losing its port entry).
//
//   mode normal | mode NAME[,NAME...]    fault set (replaces the current one)
//   delay MS | pace BAUD | pace off | fail-rate P [SEED] | block HEX | quit
//   unregister | register    drop the port entry (as if the adapter were
//                            unplugged; the pty stays) and put it back

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "protocol/parameter_block.h"
#include "tools/devsim/behaviour.h"

namespace kx14::devsim {

struct SetFaults {
  Faults faults;
};
struct SetDelay {
  std::chrono::milliseconds delay;
};
struct SetPace {
  long baud;  // 0: off
};
struct SetFailRate {
  double rate;
  std::optional<std::uint32_t> seed;
};
struct SetBlock {
  BlockBytes block;
};
struct Quit {};
struct Unregister {};
struct Register {};

using ControlCommand =
    std::variant<SetFaults, SetDelay, SetPace, SetFailRate, SetBlock, Quit, Unregister, Register>;

// Parses one line (without its line end; a trailing "\r" and surrounding
// blanks are ignored). Throws std::invalid_argument with a message for a line
// it cannot read.
ControlCommand ParseControlCommand(std::string_view line);

}  // namespace kx14::devsim
