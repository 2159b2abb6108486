#pragma once

// The serial component opened as the window opens CommX1 (no flow control),
// alone or beside the plain-termios floor.

#include <filesystem>
#include <optional>
#include <string>

#include "bench/plain_port.h"
#include "comm/comm_x.h"
#include "comm/poll_message_pump.h"
#include "pty_pair.h"

namespace kx14::bench {

// Opens `comm` on the device at `path`, whatever COM number it is asked for.
// Throws ECommError when the device cannot be opened.
inline void OpenLikeTheWindow(TCommX& comm, const std::string& path) {
  comm.SetFlowCtrl(TCommFlowCtrls::cfcNone);
  comm.SetPortResolver([path](int) { return std::optional<std::filesystem::path>(path); });
  comm.SetPortNo(1);
  comm.Open();
}

// The component and the floor side by side, each on a raw pty of its own
// whose master a `FarEnd` (PtyDrain, testing::InstantDevice) serves.
template <typename FarEnd>
struct OursAndFloor {
  OursAndFloor() { OpenLikeTheWindow(comm, oursPty.SlavePath()); }

  testing::PtyPair oursPty{testing::PtyPair::Line::kRaw};
  testing::PtyPair plainPty{testing::PtyPair::Line::kRaw};
  FarEnd oursFarEnd{oursPty.Master()};
  FarEnd plainFarEnd{plainPty.Master()};
  PollMessagePump pump;
  TCommX comm{pump};
  PlainPort plain{plainPty.SlavePath()};
};

}  // namespace kx14::bench
